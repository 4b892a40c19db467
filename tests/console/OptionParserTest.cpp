#include "console/OptionParser.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

constexpr std::array kOptions{SOptionSpec{"discuss", false}, SOptionSpec{"function", true},
                              SOptionSpec{"term", true}, SOptionSpec{"at", true}};

struct Case
{
    const char* name;
    std::vector<const char*> arguments; // after the program's name
    const char* error;                  // nullptr: the arguments read
    std::vector<std::string> positional;
    std::vector<std::string> terms;
    const char* function;
};

} // namespace

// The export's parser decides what both commands take and how they refuse it, word for word.
TEST(OptionParser, ReadsAndRefusesAsTheExportDoes)
{
    const Case cases[] = {
        {"a value after a space or after =, options after positional arguments",
         {"--discuss", "zeros", "--function", "2", "f.zel", "--term=a", "--term", "b"}, nullptr, {"zeros", "f.zel"},
         {"a", "b"}, "2"},
        {"a value that looks like an option is still the value", {"--at", "-3", "--function", "--term"}, nullptr,
         {}, {}, "--term"},
        {"-- ends the options, a lone dash is positional", {"-", "--", "--function", "-x"}, nullptr,
         {"-", "--function", "-x"}, {}, ""},
        {"bytes that are no UTF-8 stay as they are", {"--term", "\xff\xfe", "\xe4.zel"}, nullptr, {"\xe4.zel"},
         {"\xff\xfe"}, ""},
        {"a missing value names the option", {"zeros", "--function"}, "nach \"--function\" fehlt der Wert", {}, {}, ""},
        {"a flag given a value", {"--discuss=1"}, "\"--discuss\" nimmt keinen Wert", {}, {}, ""},
        {"an unknown option wins over a later missing value", {"--bogus", "--function"},
         "unbekannte Option \"--bogus\"", {}, {}, ""},
        {"one dash starts one-letter options, all unknown", {"-xyz"}, "unbekannte Option \"-x\"", {}, {}, ""},
        {"a name of one letter is shown with one dash", {"--\xc3\xa4"}, "unbekannte Option \"-\xc3\xa4\"", {}, {}, ""},
        {"a letter outside the basic plane shows as a question mark", {"-\xf0\x9f\x98\x80"},
         "unbekannte Option \"-?\"", {}, {}, ""},
        {"a long option is not abbreviated", {"--func", "2"}, "unbekannte Option \"--func\"", {}, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<const char*> argv{"vexplot"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        COptionParser parser{kOptions};
        const bool ok = parser.Parse(static_cast<int>(argv.size()), argv.data());
        if (c.error != nullptr) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(parser.ErrorText(), c.error);
            continue;
        }
        ASSERT_TRUE(ok) << parser.ErrorText();
        EXPECT_EQ(parser.Positional(), c.positional);
        EXPECT_EQ(parser.Values("term"), c.terms);
        EXPECT_EQ(parser.Value("function"), c.function);
        EXPECT_EQ(parser.IsSet("function"), *c.function != '\0');
    }
}
