#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

// The open tips file: one tip a line, read in pieces of at most 999 characters, each piece
// counting as a line of its own. Lines that begin with a blank, a tab or ';' are comments; empty
// lines are skipped. After the last line reading starts again at the top.
class CTipFile final
{
public:
    // Opens the file for reading; IsOpen() tells whether that worked.
    explicit CTipFile(const std::string& path);
    ~CTipFile();
    CTipFile(const CTipFile&) = delete;
    CTipFile& operator=(const CTipFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }

    // The file's status-change time as ctime() writes it, without the line end.
    std::string TimeStamp() const;

    // Positions at a byte offset from the start; false when the offset is refused.
    bool Seek(long offset);
    long Tell() const;

    // The next tip, its line end included. rewindFailed is told each time going back to the top
    // fails. A file without any tip line gives up after one whole pass and returns nothing.
    std::optional<std::string> NextTip(const std::function<void()>& rewindFailed);

    static constexpr int kPieceLength = 999;

private:
    std::FILE* m_file{nullptr};
};
