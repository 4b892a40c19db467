#include "framework/FileName.h"

#include <gtest/gtest.h>

namespace {

struct SName
{
    const char* what;
    QByteArray bytes;
    bool validUtf8;
};

// Every name comes back as the bytes it was; a valid one reads as Qt reads it, and what the
// user sees never holds the kept bytes themselves.
TEST(FileName, EveryNameKeepsItsBytes)
{
    const SName cases[] = {
        {"Latin-1 bytes", QByteArrayLiteral("\xff\xfe.zel"), false},
        {"one Latin-1 umlaut", QByteArrayLiteral("out\xe4.png"), false},
        {"UTF-8 umlaut",
         QByteArrayLiteral("Gr\xc3\xb6\xc3\x9f"
                           "e.zel"),
         true},
        {"four-byte UTF-8", QByteArrayLiteral("\xf0\x9f\x98\x80.zel"), true},
        {"encoded surrogate", QByteArrayLiteral("\xed\xa0\x80.zel"), false},
        {"overlong slash",
         QByteArrayLiteral("a\xc0\xaf"
                           "b"),
         false},
        {"cut-off sequence at the end", QByteArrayLiteral("name\xe2\x82"), false},
        {"bytes that look like kept bytes", QByteArrayLiteral("\xed\xb2\x80"), false},
    };
    for (const SName& c : cases) {
        const QString name = DecodeFileName(c.bytes);
        EXPECT_EQ(EncodeFileName(name), c.bytes) << c.what;
        if (c.validUtf8) {
            EXPECT_EQ(name, QString::fromUtf8(c.bytes)) << c.what;
        }
        const QString shown = DisplayFileName(name);
        EXPECT_EQ(shown.contains(QChar::ReplacementCharacter), !c.validUtf8) << c.what;
        for (QChar ch : shown) {
            EXPECT_FALSE(ch.unicode() >= 0xDC80 && ch.unicode() <= 0xDCFF) << c.what;
        }
    }
}

// A name the user typed is plain text and goes to the system as UTF-8.
TEST(FileName, TypedNamesAreUtf8)
{
    EXPECT_EQ(EncodeFileName(QString::fromUtf8("Größe.zel")), QByteArrayLiteral("Gr\xc3\xb6\xc3\x9f"
                                                                                "e.zel"));
}

} // namespace
