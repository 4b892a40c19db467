// The slider over a family's k: the window, the trace and the values dialog all see the one
// member at the slider's k, and playing walks k back and forth or round in a loop.
#include "app/SliderBar.h"
#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "app/ZelView.h"
#include "dialogs/values/ValuesRunSupport.h"
#include "document/GraphFile.h"
#include "framework/CommandIds.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

namespace {

struct SSliderFixture
{
    CMainFrame frame;
    CGraphDocument* document{nullptr};
    CZelView* view{nullptr};
    CSliderBar* bar{nullptr};
    QSlider* slider{nullptr};

    SSliderFixture()
    {
        frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
        frame.show();
        document = frame.DocumentManager()->NewDocument();
        view = document->Views().front();
        view->parentWidget()->showMaximized();
        QApplication::processEvents();
        CScaling scaling = document->Model().GetScaling();
        scaling.SetAutoScaleY(0);
        document->Model().SetScaling(scaling);
        CGraphFunction family, plain;
        family.SetTerm("x^2-2*k*x");
        family.SetUseFamilyConstant(1);
        family.SetRange(0, 3, 1);
        plain.SetTerm("x");
        document->Model().SetFunctions({family, plain});
        document->NotifyChanged();
        bar = view->parentWidget()->findChild<CSliderBar*>();
        slider = bar ? bar->findChild<QSlider*>(QStringLiteral("IDC_SLIDER")) : nullptr;
    }
    ~SSliderFixture() { frame.DocumentManager()->CloseAllDocuments(); }

    void Command(int id)
    {
        frame.UpdateCommandUI();
        QAction* action = frame.Action(id);
        ASSERT_TRUE(action->isEnabled()) << id;
        action->trigger();
    }
    double K() const { return document->Model().ActiveSlider().value_or(SSliderState{9, -99}).k; }
};

// Runs `inspect` on the modal values dialog that `open` brings up, then closes it.
void WithValuesDialog(const std::function<void()>& open, const std::function<void(CValuesDialog&)>& inspect)
{
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CValuesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        inspect(*dialog);
        dialog->accept();
    });
    open();
}

TEST(SliderBar, OnlyTheMemberAtTheSlidersKIsTracedAndDiscussed)
{
    const CExactResults exact{1};
    const struct
    {
        std::vector<Qt::Key> keys;
        double k;
        const char* text;
        const char* extremum;
    } cases[] = {
        {{}, 0, "0", "k = 0; T ( 0 | 0 )"},
        {{Qt::Key_Right, Qt::Key_Right}, 2, "2", "k = 2; T ( 2 | -4 )"},
        {{Qt::Key_End}, 3, "3", "k = 3; T ( 3 | -9 )"},
        {{Qt::Key_End, Qt::Key_Left, Qt::Key_Left}, 1, "1", "k = 1; T ( 1 | -1 )"},
    };
    for (const auto& c : cases) {
        SSliderFixture f;
        ASSERT_NE(f.slider, nullptr);
        const std::vector<std::uint8_t> before = WriteGraphFile(f.document->Model());
        EXPECT_TRUE(f.bar->isHidden());
        f.Command(ID_VIEW_SLIDER);
        f.frame.UpdateCommandUI();
        EXPECT_TRUE(f.frame.Action(ID_VIEW_SLIDER)->isChecked());
        EXPECT_TRUE(f.bar->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), f.slider);
        for (Qt::Key key : c.keys) {
            QTest::keyClick(f.slider, key);
        }
        EXPECT_EQ(f.K(), c.k) << c.text;

        // The trace starts on the family at the slider's k and switches only between the member and x.
        f.Command(ID_VIEW_TRACE);
        std::set<std::pair<std::size_t, double>> traced;
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(f.view->TraceMarker().has_value()) << c.text;
            traced.emplace(f.view->TraceMarker()->function, f.view->TraceMarker()->k);
            QTest::keyClick(f.view, Qt::Key_Up);
        }
        EXPECT_EQ(traced, (std::set<std::pair<std::size_t, double>>{{0, c.k}, {1, 0}})) << c.text;
        f.view->EndTrace();

        // The extrema of x^2-2*k*x: the one low point T(k | -k^2), for the slider's k alone.
        WithValuesDialog([&] { f.frame.Action(ID_EXTREMA)->trigger(); },
                         [&](CValuesDialog& dialog) {
                             auto* function = dialog.findChild<QComboBox*>(QStringLiteral("IDC_1021"));
                             ASSERT_NE(function, nullptr);
                             EXPECT_TRUE(function->itemText(0).endsWith(QStringLiteral("für k = ") + c.text));
                             Compute(dialog);
                             QStringList lines = dialog.ResultLines();
                             lines.removeAll(QString{});
                             EXPECT_EQ(lines, QStringList{QString::fromUtf8(c.extremum)});
                         });

        // Ending the slider leaves the family as it was, and the file as it would have been.
        f.Command(ID_VIEW_SLIDER);
        EXPECT_TRUE(f.bar->isHidden());
        EXPECT_EQ(WriteGraphFile(f.document->Model()), before) << c.text;
    }
}

TEST(SliderBar, PlayingWalksKBackAndForthOrRoundInALoop)
{
    // At "schnell" one run over the range takes 50 frames; the range 0 to 3 has 30 positions.
    const struct
    {
        int mode;
        int frames;
        double k;
    } cases[] = {
        {0, 25, 1.5}, {0, 50, 3}, {0, 60, 2.4}, {0, 110, 0.6}, {1, 60, 0.6}, {1, 95, 2.7},
    };
    for (const auto& c : cases) {
        SSliderFixture f;
        f.Command(ID_VIEW_SLIDER);
        f.bar->findChild<QComboBox*>(QStringLiteral("IDC_SLIDER_SPEED"))->setCurrentIndex(2);
        f.bar->findChild<QComboBox*>(QStringLiteral("IDC_SLIDER_MODE"))->setCurrentIndex(c.mode);
        QTest::mouseClick(f.bar->findChild<QAbstractButton*>(QStringLiteral("IDC_SLIDER_PLAY")),
                          Qt::LeftButton);
        EXPECT_TRUE(f.bar->IsPlaying());
        for (int i = 0; i < c.frames; ++i) {
            f.bar->PlayFrame();
        }
        EXPECT_EQ(f.K(), c.k) << c.mode << " " << c.frames;
        // Ending the slider ends playing.
        f.Command(ID_VIEW_SLIDER);
        EXPECT_FALSE(f.bar->IsPlaying());
    }
}

// Every control of the bar has a mnemonic of its own, and none is a menu's.
TEST(SliderBar, MnemonicsAreUniqueInTheBarAndBesideTheMenus)
{
    SSliderFixture f;
    f.Command(ID_VIEW_SLIDER);
    std::set<QChar> taken;
    for (QAction* menu : f.frame.menuBar()->actions()) {
        const qsizetype at = menu->text().indexOf('&');
        if (at >= 0) {
            taken.insert(menu->text().at(at + 1).toLower());
        }
    }
    QStringList texts;
    for (auto* label : f.bar->findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (auto* button : f.bar->findChildren<QAbstractButton*>()) {
        texts << button->text();
    }
    int mnemonics = 0;
    for (const QString& text : texts) {
        const qsizetype at = text.indexOf('&');
        if (at >= 0) {
            ++mnemonics;
            EXPECT_TRUE(taken.insert(text.at(at + 1).toLower()).second) << text.toStdString();
        }
    }
    EXPECT_GE(mnemonics, 6);
}

} // namespace
