#include "dialogs/options/OptionsSheet.h"
#include "dialogs/options/OptGenPage.h"
#include "dialogs/options/OptUIPage.h"
#include "framework/SettingsStore.h"

#include "WidgetTestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace {

// A value as "Section/Entry"; -1 stands for a value that is not stored.
using SValues = std::map<std::string, int>;
constexpr int kAbsent = -1;

const char* const kEntries[] = {"Settings/StartFullScreen", "Tip/StartUp", "Settings/StartLogo",
                                "Settings/Precision", "Settings/NoviceUI"};

void Store(const SValues& values)
{
    for (const auto& [key, value] : values) {
        const QString name = QString::fromStdString(key);
        CSettingsStore::Instance().WriteProfileInt(name.section('/', 0, 0), name.section('/', 1), value);
    }
}

SValues Stored()
{
    SValues values;
    for (const char* key : kEntries) {
        const QString name = QString::fromLatin1(key);
        values[key] =
            CSettingsStore::Instance().GetProfileInt(name.section('/', 0, 0), name.section('/', 1), kAbsent);
    }
    return values;
}

template <class T> T* Control(QWidget& sheet, const char* name)
{
    T* control = sheet.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// What the controls show: the three check boxes, the slider and the interface radio button.
struct SShown
{
    bool fullScreen;
    bool showTip;
    bool startLogo;
    int precision;
    bool novice;
};

struct SCase
{
    const char* name;
    SValues stored;
    SShown shown;
    std::function<void(COptionsSheet&)> edit;
    bool ok;
    SValues written;
};

const SValues kNothingWritten{{"Settings/StartFullScreen", kAbsent},
                              {"Tip/StartUp", kAbsent},
                              {"Settings/StartLogo", kAbsent},
                              {"Settings/Precision", kAbsent},
                              {"Settings/NoviceUI", kAbsent}};

SValues Written(int fullScreen, int startUp, int startLogo, int precision, int novice)
{
    return {{"Settings/StartFullScreen", fullScreen},
            {"Tip/StartUp", startUp},
            {"Settings/StartLogo", startLogo},
            {"Settings/Precision", precision},
            {"Settings/NoviceUI", novice}};
}

void Click(COptionsSheet& sheet, const char* name)
{
    ClickOn(Control<QAbstractButton>(sheet, name));
}

TEST(OptionsSheet, ReadsShowsAndWritesTheSettings)
{
    const SShown defaults{false, false, true, 3, true};
    const SCase cases[] = {
        {"no settings, OK", {}, defaults, {}, true, Written(0, 1, 1, 3, 1)},
        {"no settings, Cancel", {}, defaults, {}, false, kNothingWritten},
        {"full screen checked",
         {},
         defaults,
         [](COptionsSheet& s) { Click(s, "IDC_1001"); },
         true,
         Written(1, 1, 1, 3, 1)},
        {"tip checked",
         {},
         defaults,
         [](COptionsSheet& s) { Click(s, "IDC_1016"); },
         true,
         Written(0, 0, 1, 3, 1)},
        {"splash cleared",
         {},
         defaults,
         [](COptionsSheet& s) { Click(s, "IDC_1077"); },
         true,
         Written(0, 1, 0, 3, 1)},
        {"stored tip at start shows checked",
         {{"Tip/StartUp", 0}},
         {false, true, true, 3, true},
         {},
         true,
         Written(0, 0, 1, 3, 1)},
        {"slider to 10, then Cancel",
         {{"Settings/Precision", 5}},
         {false, false, true, 5, true},
         [](COptionsSheet& s) { Control<QSlider>(s, "IDC_1063")->setValue(10); },
         false,
         {{"Settings/StartFullScreen", kAbsent},
          {"Tip/StartUp", kAbsent},
          {"Settings/StartLogo", kAbsent},
          {"Settings/Precision", 5},
          {"Settings/NoviceUI", kAbsent}}},
        {"slider to 10, then OK",
         {},
         defaults,
         [](COptionsSheet& s) { Control<QSlider>(s, "IDC_1063")->setValue(10); },
         true,
         Written(0, 1, 1, 10, 1)},
        {"precision 0 shows and writes 1",
         {{"Settings/Precision", 0}},
         {false, false, true, 1, true},
         {},
         true,
         Written(0, 1, 1, 1, 1)},
        {"precision 42 shows and writes 10",
         {{"Settings/Precision", 42}},
         {false, false, true, 10, true},
         {},
         true,
         Written(0, 1, 1, 10, 1)},
        {"advanced mode kept without visiting the second tab",
         {{"Settings/NoviceUI", 0}},
         {false, false, true, 3, false},
         {},
         true,
         Written(0, 1, 1, 3, 0)},
        {"an odd mode is written back as read",
         {{"Settings/NoviceUI", 7}},
         {false, false, true, 3, false},
         {},
         true,
         Written(0, 1, 1, 3, 7)},
        {"click on the advanced interface",
         {},
         defaults,
         [](COptionsSheet& s) {
             s.Tabs()->setCurrentIndex(1);
             Click(s, "IDC_1006");
         },
         true,
         Written(0, 1, 1, 3, 0)},
        {"click on the novice interface",
         {{"Settings/NoviceUI", 7}},
         {false, false, true, 3, false},
         [](COptionsSheet& s) {
             s.Tabs()->setCurrentIndex(1);
             Click(s, "IDC_1005");
         },
         true,
         Written(0, 1, 1, 3, 1)},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        UseFreshSettings();
        Store(c.stored);
        COptionsSheet sheet;
        sheet.show();
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Optionen"));
        EXPECT_EQ(sheet.Tabs()->currentIndex(), 0);
        EXPECT_EQ(Control<QCheckBox>(sheet, "IDC_1001")->isChecked(), c.shown.fullScreen);
        EXPECT_EQ(Control<QCheckBox>(sheet, "IDC_1016")->isChecked(), c.shown.showTip);
        EXPECT_EQ(Control<QCheckBox>(sheet, "IDC_1077")->isChecked(), c.shown.startLogo);
        EXPECT_EQ(Control<QSlider>(sheet, "IDC_1063")->value(), c.shown.precision);
        EXPECT_EQ(Control<QRadioButton>(sheet, "IDC_1005")->isChecked(), c.shown.novice);
        EXPECT_EQ(Control<QRadioButton>(sheet, "IDC_1006")->isChecked(), !c.shown.novice);

        if (c.edit) {
            c.edit(sheet);
        }
        // Nothing is written before the sheet ends.
        SValues before = kNothingWritten;
        for (const auto& [key, value] : c.stored) {
            before[key] = value;
        }
        EXPECT_EQ(Stored(), before);
        Click(sheet, c.ok ? "IDOK" : "IDCANCEL");
        EXPECT_EQ(sheet.result(), c.ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(Stored(), c.written);
    }
}

// "Schulschreibweise" is on until it is turned off, and only OK writes it.
TEST(OptionsSheet, SchoolNotationIsOnByDefaultAndWrittenOnOk)
{
    const struct
    {
        int stored;
        bool shown;
        bool click;
        bool ok;
        int written;
    } cases[] = {{kAbsent, true, false, true, 1},
                 {kAbsent, true, true, true, 0},
                 {0, false, true, true, 1},
                 {0, false, true, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << c.click << c.ok);
        UseFreshSettings();
        if (c.stored != kAbsent) {
            Store({{"Settings/SchoolNotation", c.stored}});
        }
        COptionsSheet sheet;
        sheet.show();
        auto* box = Control<QCheckBox>(sheet, "schoolNotation");
        EXPECT_EQ(box->isChecked(), c.shown);
        if (c.click) {
            ClickOn(box);
        }
        Click(sheet, c.ok ? "IDOK" : "IDCANCEL");
        EXPECT_EQ(CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"),
                                                           QStringLiteral("SchoolNotation"), kAbsent),
                  c.ok || c.stored != kAbsent ? c.written : kAbsent);
    }
}

TEST(OptionsSheet, SliderMovesByOnePositionUpToTen)
{
    UseFreshSettings();
    COptionsSheet sheet;
    auto* slider = Control<QSlider>(sheet, "IDC_1063");
    EXPECT_EQ(slider->tickPosition(), QSlider::TicksAbove);
    // The keyboard moves it one position at a time, up to 10.
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(slider->value(), 4);
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(slider->value(), 10);
}

} // namespace
