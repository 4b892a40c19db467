#include "framework/RangeFields.h"
#include "framework/MessageBoxes.h"
#include "framework/NumberField.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct SRangeCase
{
    const char* from;
    const char* to;
    const char* step;
    bool read;
    QString message;
};

} // namespace

// A range the document would put its own fallback in place of is refused where it is typed.
TEST(RangeFields, RefusesEndsWhoseDistanceOverflowsAndSaysWhy)
{
    const QString tooWide = RangeTooWideMessage();
    const SRangeCase cases[] = {
        {"-1e308", "1e308", "1", false, tooWide},
        {"1,7e308", "-1,7e308", "1", false, tooWide},
        {"-1e307", "1e308", "1e300", true, {}},
        {"-5", "5", "1,5", true, {}},
        {"1e400", "5", "1", false, NumberFieldMessage(QStringLiteral("1e400"))},
        {"-5", "5", "x", false, NumberFieldMessage(QStringLiteral("x"))},
    };
    for (const SRangeCase& c : cases) {
        QStringList messages;
        SetMessageBoxHook([&](const QString& shown, bool) {
            messages << shown;
            return true;
        });
        CNumberField from;
        CNumberField to;
        CNumberField step;
        from.setText(QString::fromLatin1(c.from));
        to.setText(QString::fromLatin1(c.to));
        step.setText(QString::fromLatin1(c.step));
        double a{-3.0};
        double b{3.0};
        double s{0.5};
        EXPECT_EQ(ReadRange(from, to, step, a, b, s), c.read) << c.from << ' ' << c.to;
        if (c.read) {
            EXPECT_TRUE(messages.isEmpty()) << c.from << ' ' << c.to;
            EXPECT_EQ(a, *CNumberField::Parse(from.text()));
            EXPECT_EQ(b, *CNumberField::Parse(to.text()));
            EXPECT_EQ(s, *CNumberField::Parse(step.text()));
        } else {
            EXPECT_EQ(messages, QStringList{c.message}) << c.from << ' ' << c.to;
            EXPECT_EQ(a, -3.0);
            EXPECT_EQ(b, 3.0);
        }
        SetMessageBoxHook({});
    }
}
