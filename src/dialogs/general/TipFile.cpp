#include "dialogs/general/TipFile.h"

#include <sys/stat.h>

#include <array>
#include <ctime>

CTipFile::CTipFile(const std::string& path) : m_file{std::fopen(path.c_str(), "r")} {}

CTipFile::~CTipFile()
{
    if (m_file) {
        std::fclose(m_file);
    }
}

std::string CTipFile::TimeStamp() const
{
    struct stat status
    {
    };
    if (!m_file || fstat(fileno(m_file), &status) != 0) {
        return {};
    }
    const std::time_t changed = status.st_ctime;
    const char* text = std::ctime(&changed);
    std::string stamp = text ? text : "";
    while (!stamp.empty() &&
           (stamp.back() == '\n' || stamp.back() == '\r' || stamp.back() == ' ' || stamp.back() == '\t')) {
        stamp.pop_back();
    }
    return stamp;
}

bool CTipFile::Seek(long offset)
{
    return m_file && std::fseek(m_file, offset, SEEK_SET) == 0;
}

long CTipFile::Tell() const
{
    return m_file ? std::ftell(m_file) : -1;
}

std::optional<std::string> CTipFile::NextTip(const std::function<void()>& rewindFailed)
{
    if (!m_file) {
        return std::nullopt;
    }
    std::array<char, kPieceLength + 1> piece{};
    // Without a tip line the search would go round for ever; one wrap to the top is enough to
    // have seen every line once.
    bool wrapped = false;
    for (;;) {
        if (!std::fgets(piece.data(), static_cast<int>(piece.size()), m_file)) {
            if (wrapped) {
                return std::nullopt;
            }
            wrapped = true;
            if (std::fseek(m_file, 0, SEEK_SET) != 0) {
                rewindFailed();
            }
            continue;
        }
        // A carriage return first is the empty line of a file written with CR LF line ends.
        switch (piece[0]) {
        case ' ':
        case '\t':
        case ';':
        case '\n':
        case '\r':
        case '\0':
            continue;
        default:
            return std::string{piece.data()};
        }
    }
}
