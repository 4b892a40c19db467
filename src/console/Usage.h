#pragma once

// The command line described once: --help prints this table as text and the build turns the same
// table into the manual page vexplot.1, so the two cannot drift apart. Knows no Qt, because the
// manual page is written by a small build tool before the program exists.

#include <span>
#include <string>

// One way to call the program, with what it does.
struct SUsageForm
{
    const char*
        synopsis; // literal words are "vexplot", options and lower-case names; capitals are placeholders
    const char* description;
};

// One option or one exit code or one environment variable or one file, with its meaning.
struct SUsageEntry
{
    const char* term;
    const char* description;
};

struct SUsage
{
    const char* program;
    const char* title;   // the program's full name
    const char* purpose; // one line, for the manual's name section
    const char* introduction;
    std::span<const SUsageForm> forms;
    std::span<const SUsageEntry> options;
    std::span<const SUsageEntry> exitCodes;
    std::span<const SUsageEntry> environment;
    std::span<const SUsageEntry> files;
};

const SUsage& Usage();

// "vexplot (Vex Funktions-Plotter) 3.1", ended by a line feed.
std::string VersionText();

// What --help prints: UTF-8, lines of at most 79 columns, ended by a line feed.
std::string HelpText();

// The manual page in roff (man macros), UTF-8.
std::string ManPageText();

// The items as German prose lists them: "a, b" and the last one after lastSeparator (" oder ",
// " und ").
std::string ListText(std::span<const std::string> items, const char* lastSeparator);

// Breaks text into lines of at most width columns (counted in characters, not bytes), each
// starting with indent spaces; a word longer than a line stands alone on it.
std::string WrapText(const std::string& text, std::size_t indent, std::size_t width);
