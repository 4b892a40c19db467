#include "console/OptionParser.h"

#include "console/Utf8Bytes.h"

#include <algorithm>

COptionParser::COptionParser(std::span<const SOptionSpec> options) : m_options{options.begin(), options.end()} {}

const SOptionSpec* COptionParser::Find(std::string_view name) const
{
    const auto it = std::find_if(m_options.begin(), m_options.end(),
                                 [&](const SOptionSpec& option) { return name == option.name; });
    return it == m_options.end() ? nullptr : &*it;
}

bool COptionParser::Register(std::string_view name)
{
    if (Find(name) != nullptr) {
        m_found.emplace_back(name);
        return true;
    }
    m_unknown.emplace_back(name);
    return false;
}

bool COptionParser::Parse(int argc, const char* const* argv)
{
    bool ok = true;
    bool onlyPositional = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument{argv[i]};
        if (onlyPositional || argument.size() < 2 || argument[0] != '-') {
            m_positional.emplace_back(argument);
            continue;
        }
        if (argument == "--") {
            onlyPositional = true;
            continue;
        }
        if (argument[1] != '-') {
            // One-letter options: none is known, so each letter is an unknown option. A letter
            // outside the basic plane counts as two halves, of which the first is named.
            for (std::size_t at = 1; at < argument.size();) {
                const std::size_t length = Utf8SequenceAt(argument, at);
                Register(length == 4 ? std::string_view{"?"} : argument.substr(at, length == 0 ? 1 : length));
                ok = false;
                at += length == 0 ? 1 : length;
            }
            continue;
        }
        const std::size_t assign = argument.find('=');
        const std::string_view name = argument.substr(2, assign == std::string_view::npos ? assign : assign - 2);
        if (!Register(name)) {
            ok = false;
            continue;
        }
        if (!Find(name)->takesValue) {
            if (assign != std::string_view::npos) {
                m_error = "\"" + std::string{argument.substr(0, assign)} + "\" nimmt keinen Wert";
                ok = false;
            }
            continue;
        }
        if (assign != std::string_view::npos) {
            m_values.emplace_back(name, argument.substr(assign + 1));
        } else if (i + 1 < argc) {
            m_values.emplace_back(name, argv[++i]);
        } else {
            m_error = "nach \"" + std::string{argument} + "\" fehlt der Wert";
            ok = false;
        }
    }
    return ok;
}

bool COptionParser::IsSet(std::string_view name) const
{
    return std::find(m_found.begin(), m_found.end(), name) != m_found.end();
}

std::string COptionParser::Value(std::string_view name) const
{
    const std::vector<std::string> values = Values(name);
    return values.empty() ? std::string{} : values.back();
}

std::vector<std::string> COptionParser::Values(std::string_view name) const
{
    std::vector<std::string> values;
    for (const auto& [option, value] : m_values) {
        if (option == name) {
            values.push_back(value);
        }
    }
    return values;
}

std::string COptionParser::ErrorText() const
{
    if (!m_unknown.empty()) {
        const std::string& name = m_unknown.front();
        return "unbekannte Option \"" + std::string{Utf16Length(name) == 1 ? "-" : "--"} + name + "\"";
    }
    return m_error;
}
