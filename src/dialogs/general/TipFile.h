#pragma once

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>

// The open tips file: one tip a line, read in pieces of at most 999 characters, each piece
// counting as a line of its own. Lines that begin with a blank, a tab or ';' are comments; empty
// lines are skipped. After the last line reading starts again at the top.
//
// Only a regular file is a tips file, and only its first kMaxBytes are read, once, when it is
// opened: a pipe, a device or a huge file in its place must not hold up the start.
class CTipFile final
{
public:
    // Opens the file for reading; IsOpen() tells whether that worked.
    explicit CTipFile(const std::string& path);

    bool IsOpen() const { return m_open; }

    // The file's status-change time as ctime() writes it, without the line end.
    std::string TimeStamp() const;

    // Positions at a byte offset from the start; false when the offset is refused.
    bool Seek(long offset);
    long Tell() const;

    // The next tip, its line end included. A file without any tip line gives up after one whole
    // pass and returns nothing.
    std::optional<std::string> NextTip();

    static constexpr int kPieceLength = 999;
    static constexpr std::size_t kMaxBytes = std::size_t{1} << 20;

private:
    bool m_open{false};
    std::time_t m_changed{};
    std::string m_text;
    long m_position{0};
};
