#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One option of a command: its long name and whether a value follows it.
struct SOptionSpec
{
    const char* name;
    bool takesValue;
};

// Reads the arguments of a command by the rules of the export's parser, so that both commands
// take and refuse the same things: "--name value" or "--name=value"; a flag given a value is an
// error; "--" ends the options; a lone "-" is a positional argument; any other single dash starts
// a run of one-letter options, each of which is unknown here; options may follow positional
// arguments. Arguments stay bytes throughout.
class COptionParser final
{
public:
    explicit COptionParser(std::span<const SOptionSpec> options);

    // Reads argv[1..]; false when an option is unknown or a value is missing or unexpected. All
    // arguments are read even after an error.
    bool Parse(int argc, const char* const* argv);

    bool IsSet(std::string_view name) const;
    // The last value given, or the empty text.
    std::string Value(std::string_view name) const;
    std::vector<std::string> Values(std::string_view name) const;
    const std::vector<std::string>& Positional() const { return m_positional; }

    // Why Parse failed, in German: the first unknown option, else the last missing or
    // unexpected value.
    std::string ErrorText() const;

private:
    const SOptionSpec* Find(std::string_view name) const;
    bool Register(std::string_view name);

    std::vector<SOptionSpec> m_options;
    std::vector<std::string> m_found;
    // Per option found with a value: its name and the value.
    std::vector<std::pair<std::string, std::string>> m_values;
    std::vector<std::string> m_unknown;
    std::vector<std::string> m_positional;
    std::string m_error;
};
