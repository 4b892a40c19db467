#include "framework/Cp1252TextEdit.h"
#include "framework/Cp1252Validator.h"
#include "framework/MessageBoxes.h"
#include "framework/NumberField.h"
#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// Types text key by key, umlauts included (QTest's key clicks know ASCII only).
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press{QEvent::KeyPress, 0, Qt::NoModifier, QString{c}};
        QApplication::sendEvent(widget, &press);
        QKeyEvent release{QEvent::KeyRelease, 0, Qt::NoModifier, QString{c}};
        QApplication::sendEvent(widget, &release);
    }
}

struct SParseCase
{
    const char* text;
    std::optional<double> value;
};

TEST(NumberField, ReadsOnlyTextThatIsWhollyAFiniteDecimalNumber)
{
    const SParseCase cases[] = {
        // German writing: the comma is the decimal separator, and no separator groups thousands.
        {"1,5", 1.5},
        {"-2,25", -2.25},
        {",5", 0.5},
        {"1,5e3", 1500.0},
        {"1.000,5", std::nullopt},
        {"1,000.5", std::nullopt},
        {"1,,5", std::nullopt},
        {"1.000.000", std::nullopt},
        // Nothing infinite and no NaN, however written.
        {"1e400", std::nullopt},
        {"-1e400", std::nullopt},
        {"1e999", std::nullopt},
        {"Inf", std::nullopt},
        {"-infinity", std::nullopt},
        {"NaN", std::nullopt},
        {"1.8e308", std::nullopt},
        {"1.7e308", 1.7e308},
        {"0", 0.0},
        {"0.5", 0.5},
        {" 2 ", 2.0},
        {"-1.25", -1.25},
        {"+3", 3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e3", 1000.0},
        {"1E-3", 0.001},
        {"-2.5e+2", -250.0},
        {"1e-999", 0.0},
        {"1.5e-999", 0.0},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"1e", 2.71828182846}, // 1 times e, as "2e" is twice e
        {"1e+", std::nullopt},
        {"abc", std::nullopt},
        {"0x10", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1 2", std::nullopt},
        {"--1", 1.0},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1.2.3", std::nullopt},
        {"2*3", 6.0},
        {"pi/2", 3.14159265359 / 2},
        {"2/sqrt(3)", 2 / std::sqrt(3.0)},
        {"x", std::nullopt},
        {"1/0", std::nullopt},
    };
    for (const SParseCase& c : cases) {
        const std::optional<double> read = CNumberField::Parse(QString::fromLatin1(c.text));
        ASSERT_EQ(read.has_value(), c.value.has_value()) << '"' << c.text << '"';
        if (read) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(*c.value))
                << '"' << c.text << '"';
        }
    }
}

TEST(NumberField, ShowsTheShortestFormWithFifteenDigits)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},
        {0.5, "0.5"},
        {-5.0, "-5"},
        {1e20, "1e+20"},
        {1e-7, "1e-07"},
        {0.1 + 0.2, "0.3"},
        {123456789012345678.0, "1.23456789012346e+17"},
        {1.0 / 3.0, "0.333333333333333"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(CNumberField::Format(value).toStdString(), text) << value;
    }
}

// Opening a dialog and confirming it must not change a value that 15 digits cannot hold.
TEST(NumberField, GivesBackTheStoredValueWhileItsTextIsUnchanged)
{
    const double values[] = {0.1 + 0.2,
                             1e-300 / 3.0,
                             1.0 / 3.0,
                             std::nextafter(1.0, 2.0),
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::infinity()};
    for (double value : values) {
        CNumberField field;
        field.SetValue(value);
        const std::optional<double> read = field.Value();
        ASSERT_TRUE(read.has_value()) << value;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(value)) << value;
        EXPECT_EQ(field.cursorPosition(), 0) << "a long number shows its sign";
    }
    // Once the user types, the text counts.
    CNumberField field;
    field.SetValue(0.1 + 0.2);
    field.setText(QStringLiteral("0.30"));
    EXPECT_EQ(field.Value(), 0.3);
}

TEST(NumberField, TellsHowToWriteANumberAndWhatIsWrongWithTheText)
{
    const QString howTo = QStringLiteral("Bitte geben Sie eine Zahl ein, etwa 1,5 oder -2.");
    const std::pair<const char*, QString> cases[] = {
        {"1e400", QStringLiteral("„1e400“ ist zu groß. Bitte geben Sie eine Zahl zwischen -1e308 und "
                                 "1e308 ein, etwa 1,5 oder -2.")},
        {" -inf ", QStringLiteral("„-inf“ ist zu groß. Bitte geben Sie eine Zahl zwischen -1e308 und "
                                  "1e308 ein, etwa 1,5 oder -2.")},
        {"nan", QStringLiteral("„nan“ ist keine Zahl. ") + howTo},
        {"abc", howTo},
        {"1.000,5", howTo},
        {"", howTo},
    };
    for (const auto& [text, message] : cases) {
        QStringList messages;
        SetMessageBoxHook([&](const QString& shown, bool) {
            messages << shown;
            return true;
        });
        CNumberField field;
        field.setText(QString::fromLatin1(text));
        double value = 7.0;
        EXPECT_FALSE(field.Read(value)) << text;
        EXPECT_EQ(value, 7.0) << text;
        EXPECT_EQ(messages, QStringList{message}) << text;
        SetMessageBoxHook({});
    }
}

TEST(NumberField, RefusesWithAMessageEvenWhileDisabled)
{
    QStringList messages;
    SetMessageBoxHook([&](const QString& text, bool) {
        messages << text;
        return true;
    });
    CNumberField field;
    field.setText(QStringLiteral("abc"));
    field.setEnabled(false);
    double value = 7.0;
    EXPECT_FALSE(field.Read(value));
    EXPECT_EQ(value, 7.0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), NumberFieldMessage());
    SetMessageBoxHook({});
}

TEST(Cp1252Rule, TakesWhatAGraphFileCanHoldAndNothingElse)
{
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("sin(x)"), true},
        {QStringLiteral("Größe ä ö ü Ä Ö Ü ß"), true},
        {QStringLiteral("€ „Zitat“ – … ™ œ Ÿ"), true},
        {QStringLiteral("\u00A0\u00FF"), true},
        {QStringLiteral("ő"), false},
        {QStringLiteral("x\u2212 1"), false},
        {QString::fromUtf8("\xF0\x9F\x98\x80"), false},
        {QStringLiteral("α"), false},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(IsCp1252Text(text), expected) << text.toStdString();
    }
}

TEST(Cp1252Rule, FieldRefusesTypedOrPastedTextThatBreaksTheRule)
{
    QLineEdit edit;
    auto* validator = new CCp1252Validator{5, &edit};
    edit.setValidator(validator);
    Type(&edit, QStringLiteral("aöß€"));
    EXPECT_EQ(edit.text(), QStringLiteral("aöß€"));
    edit.insert(QStringLiteral("ő")); // as a paste would
    EXPECT_EQ(edit.text(), QStringLiteral("aöß€"));
    QTest::keyClicks(&edit, QStringLiteral("xy"));
    EXPECT_EQ(edit.text(), QStringLiteral("aöß€x")); // five at most

    // A longer text from a file stays whole and may shrink, but not grow again.
    const QString longText(8, QLatin1Char('x'));
    validator->AllowLengthOf(longText);
    edit.setText(longText);
    EXPECT_EQ(edit.text(), longText);
    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, QStringLiteral("ab"));
    EXPECT_EQ(edit.text().size(), 8);
}

TEST(Cp1252Rule, MultiLineFieldTakesBackWhatBreaksTheRule)
{
    CCp1252TextEdit edit{4};
    edit.SetText(QStringLiteral("ab"));
    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText(QStringLiteral("ő"));
    EXPECT_EQ(edit.Text(), QStringLiteral("ab"));
    edit.insertPlainText(QStringLiteral("cdef"));
    EXPECT_EQ(edit.Text(), QStringLiteral("ab"));
    edit.insertPlainText(QStringLiteral("€ä"));
    EXPECT_EQ(edit.Text(), QStringLiteral("ab€ä"));
}

// A page with one number field; counts how often it is read back.
class CNumberPage final : public CPropertyPage
{
public:
    explicit CNumberPage(int id) : CPropertyPage{id, QStringLiteral("Seite %1").arg(id)}
    {
        field = new CNumberField{this};
    }
    bool UpdateData(bool save) override
    {
        if (!save) {
            field->SetValue(value);
            return true;
        }
        ++reads;
        return field->Read(value);
    }
    CNumberField* field;
    double value{1.0};
    int reads{0};
};

TEST(PropertySheet, ARefusedFieldKeepsItsPageAndTheSheetOpen)
{
    int messages = 0;
    SetMessageBoxHook([&](const QString&, bool) {
        ++messages;
        return true;
    });
    CPropertySheet sheet{QStringLiteral("Test")};
    auto* first = new CNumberPage{1};
    auto* second = new CNumberPage{2};
    auto* third = new CNumberPage{3};
    sheet.AddPage(first);
    sheet.AddPage(second);
    sheet.AddPage(third);
    sheet.show();
    sheet.SetActivePage(0);

    // Leaving a page with a refused field stays on it.
    first->field->setText(QStringLiteral("x"));
    sheet.Tabs()->setCurrentIndex(1);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(messages, 1);

    // A refused field on a page never shown blocks OK and comes to the front.
    first->field->setText(QStringLiteral("2"));
    third->field->setText(QStringLiteral("1;5"));
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    EXPECT_EQ(messages, 2);

    // Corrected, OK reads every page back, also the one never shown.
    third->field->setText(QStringLiteral("1.5"));
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(first->value, 2.0);
    EXPECT_EQ(second->value, 1.0);
    EXPECT_EQ(third->value, 1.5);
    EXPECT_GE(second->reads, 1);
    SetMessageBoxHook({});
}

} // namespace
