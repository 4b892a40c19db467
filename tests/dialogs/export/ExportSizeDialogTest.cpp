// The export size dialog by keyboard: the unit, both sides and the resolution, remembered for the
// next export; sizes whose pixels no picture can have are refused.
#include "dialogs/export/ExportSizeDialog.h"
#include "framework/DialogIds.h"
#include "framework/MessageBoxes.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The field a label's mnemonic reaches: its buddy, which follows the unit chosen.
QWidget* MnemonicTarget(QDialog& dialog, const QString& labelText)
{
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == labelText) {
            return label->buddy();
        }
    }
    return nullptr;
}

// Types into the field that the label's mnemonic reaches, as a user does.
void TypeInto(QDialog& dialog, const QString& labelText, const QString& text)
{
    QWidget* field = MnemonicTarget(dialog, labelText);
    ASSERT_NE(field, nullptr) << labelText.toStdString();
    ASSERT_TRUE(field->isEnabled()) << labelText.toStdString();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

TEST(ExportSizeDialog, CentimetresByKeyboardAreRememberedAndBoundedByPixels)
{
    const struct
    {
        const char* width;
        const char* height;
        const char* dpi;
        bool accepted;
        QSize pixels;
    } cases[] = {
        {"10", "5", "300", true, {1181, 591}},
        {"9.5", "6", "150", true, {561, 354}},
        {"150", "100", "600", false, {}}, // 35433 pixels wide
    };
    for (const auto& c : cases) {
        std::vector<QString> messages;
        SetMessageBoxHook([&](const QString& text, bool) {
            messages.push_back(text);
            return true;
        });
        {
            CExportSizeDialog dialog{QSize{640, 480}};
            dialog.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            dialog.findChild<QRadioButton*>(kIdExportInCentimetres)->click();
            EXPECT_EQ(MnemonicTarget(dialog, QStringLiteral("&Breite:")),
                      dialog.findChild<QDoubleSpinBox*>(kIdExportWidthCm));
            TypeInto(dialog, QStringLiteral("&Breite:"), QLatin1String(c.width));
            TypeInto(dialog, QStringLiteral("&Höhe:"), QLatin1String(c.height));
            TypeInto(dialog, QStringLiteral("&Auflösung:"), QLatin1String(c.dpi));
            dialog.accept();
            EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.width;
            EXPECT_EQ(messages.size(), c.accepted ? 0u : 1u) << c.width;
            if (!c.accepted) {
                continue;
            }
            const SPictureSize size = dialog.PictureSize();
            ASSERT_TRUE(size.centimetres.has_value());
            EXPECT_EQ(size.pixels, c.pixels) << c.width;
        }
        // The next export starts in centimetres with these values.
        CExportSizeDialog next{QSize{640, 480}};
        EXPECT_TRUE(next.findChild<QRadioButton*>(kIdExportInCentimetres)->isChecked());
        EXPECT_EQ(next.PictureSize().pixels, c.pixels) << c.width;
        // Pixels again give the window's size as before, and the labels lead to the pixel fields.
        next.findChild<QRadioButton*>(kIdExportInPixels)->click();
        EXPECT_EQ(MnemonicTarget(next, QStringLiteral("&Breite:")),
                  next.findChild<QSpinBox*>(QStringLiteral("IDC_1067")));
        EXPECT_FALSE(next.PictureSize().centimetres.has_value());
        EXPECT_EQ(next.PictureSize().pixels, QSize(640, 480));
    }
    SetMessageBoxHook({});
}

} // namespace
