#include "engine/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, UmlautsAndSharpS)
{
    EXPECT_EQ(Cp1252ToUtf8("\xE4\xF6\xFC\xC4\xD6\xDC\xDF"), "äöüÄÖÜß");
    EXPECT_EQ(Utf8ToCp1252("äöüÄÖÜß"), "\xE4\xF6\xFC\xC4\xD6\xDC\xDF");
}

TEST(TextEncoding, TheBytesBetween80And9F)
{
    EXPECT_EQ(Cp1252ToUtf8("\x80\x84\x96\x9F"), "€„–Ÿ");
    EXPECT_EQ(Utf8ToCp1252("€„–Ÿ"), "\x80\x84\x96\x9F");
}

TEST(TextEncoding, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(TextEncoding, UnknownCharactersAndBrokenUtf8BecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("x≤1"), "x?1");
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(Utf8ToCp1252("\xFF" "b"), "?b");
    EXPECT_EQ(Utf8ToCp1252("😀"), "?");
}

} // namespace
