#include "console/Usage.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::size_t Columns(const std::string& line)
{
    std::size_t count = 0;
    for (const char c : line) {
        count += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    }
    return count;
}

// The manual page as a reader sees its words: font changes dropped, minus signs as typed.
std::string PlainManPage()
{
    std::string page = ManPageText();
    std::string plain;
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page.compare(i, 2, "\\f") == 0 && i + 2 < page.size()) {
            i += 2;
        } else if (page.compare(i, 2, "\\-") == 0) {
            plain += '-';
            ++i;
        } else {
            plain += page[i];
        }
    }
    return plain;
}

// Both texts come from one table; this guards that both show all of it.
TEST(Usage, HelpAndManualPageShowTheSameCommandLine)
{
    const std::string help = HelpText();
    const std::string manual = PlainManPage();
    const SUsage& usage = Usage();
    for (const SUsageForm& form : usage.forms) {
        EXPECT_NE(help.find(form.synopsis), std::string::npos) << form.synopsis;
        EXPECT_NE(manual.find(form.synopsis), std::string::npos) << form.synopsis;
    }
    for (const auto& entries : {usage.options, usage.exitCodes, usage.environment, usage.files}) {
        for (const SUsageEntry& entry : entries) {
            EXPECT_NE(help.find(entry.term), std::string::npos) << entry.term;
            EXPECT_NE(manual.find(entry.term), std::string::npos) << entry.term;
            // Descriptions are wrapped in the help, so compare their first words.
            const std::string start = std::string{entry.description}.substr(0, 12);
            EXPECT_NE(help.find(start), std::string::npos) << entry.description;
            EXPECT_NE(manual.find(entry.description), std::string::npos) << entry.description;
        }
    }
    for (const char* option : {"--export", "--size", "--discuss", "--function", "--precision", "--exact",
                               "--digits", "--help", "--version", "--with", "--at", "--from", "--to"}) {
        EXPECT_NE(manual.find(option), std::string::npos) << option;
        EXPECT_NE(HelpText().find(option), std::string::npos) << option;
    }
    for (const char* analysis : {"intersections", "tangent", "integral"}) {
        EXPECT_NE(manual.find(analysis), std::string::npos) << analysis;
        EXPECT_NE(HelpText().find(std::string{"--discuss "} + analysis), std::string::npos) << analysis;
    }
}

TEST(Usage, HelpFitsATerminal)
{
    std::istringstream lines{HelpText()};
    std::string line;
    while (std::getline(lines, line)) {
        EXPECT_LE(Columns(line), 79U) << line;
        EXPECT_TRUE(line.empty() || line.back() != ' ') << line;
    }
}

// A text line starting with a dot would be read as a request and vanish from the page.
TEST(Usage, ManualPageHasOnlyItsOwnRequests)
{
    std::istringstream lines{ManPageText()};
    std::string line;
    int sections = 0;
    while (std::getline(lines, line)) {
        if (line.empty() || (line.front() != '.' && line.front() != '\'')) {
            continue;
        }
        const std::string request = line.substr(0, line.find(' '));
        EXPECT_TRUE(request == ".TH" || request == ".SH" || request == ".TP" || request == ".br" ||
                    request == ".BR" || request == ".nh" || request == ".ad")
            << line;
        sections += request == ".SH" ? 1 : 0;
    }
    EXPECT_EQ(sections, 8);
}

struct SWrapCase
{
    const char* text;
    std::size_t indent;
    std::size_t width;
    const char* expected;
};

TEST(Usage, WrapsByCharactersNotBytes)
{
    const SWrapCase cases[] = {
        {"", 2, 10, ""},
        {"eins zwei drei", 0, 9, "eins zwei\ndrei\n"},
        {"eins zwei drei", 2, 9, "  eins\n  zwei\n  drei\n"},
        // Nine characters but twelve bytes: still one line of width 9.
        {"äöü äöü ä", 0, 9, "äöü äöü ä\n"},
        {"Donaudampfschifffahrt ab", 0, 10, "Donaudampfschifffahrt\nab\n"},
        {"a  b", 0, 10, "a b\n"},
    };
    for (const SWrapCase& c : cases) {
        EXPECT_EQ(WrapText(c.text, c.indent, c.width), c.expected) << c.text;
    }
}

} // namespace
