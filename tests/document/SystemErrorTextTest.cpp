#include "document/SystemErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <set>
#include <string>

// The reasons a user meets when saving, opening or exporting read in German whatever the locale
// says, each in words of its own; any other number still tells which error it was.
TEST(SystemErrorText, CommonReasonsAreGermanAndTellThemselvesApart)
{
    std::setlocale(LC_ALL, "C");
    const int common[] = {ENOSPC, EACCES, EROFS, ENOENT, EISDIR, ENOTDIR, EFBIG, EMFILE, EIO};
    std::set<std::string> texts;
    for (const int code : common) {
        const std::string text = SystemErrorText(code);
        EXPECT_NE(text, std::strerror(code)) << code;
        EXPECT_EQ(text.find("Systemfehler"), std::string::npos) << code;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size(common));
    // Two numbers for the same reason share their words.
    EXPECT_EQ(SystemErrorText(EPERM), SystemErrorText(EACCES));
    EXPECT_EQ(SystemErrorText(ENFILE), SystemErrorText(EMFILE));

    const std::string other = SystemErrorText(EPROTO);
    EXPECT_NE(other.find("Systemfehler " + std::to_string(EPROTO)), std::string::npos) << other;
}
