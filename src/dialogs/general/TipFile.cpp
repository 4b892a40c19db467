#include "dialogs/general/TipFile.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CTipFile::CTipFile(const std::string& path)
{
    // The open must not wait for a writer, should the name be a pipe; the type is then taken
    // from what was opened, not from the name.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return;
    }
    m_changed = status.st_ctime;
    m_text.resize(kMaxBytes);
    std::size_t filled = 0;
    while (filled < m_text.size()) {
        const ssize_t got = ::read(fd, m_text.data() + filled, m_text.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    m_text.resize(filled);
    m_open = true;
}

std::string CTipFile::TimeStamp() const
{
    if (!m_open) {
        return {};
    }
    const char* text = std::ctime(&m_changed);
    std::string stamp = text ? text : "";
    while (!stamp.empty() &&
           (stamp.back() == '\n' || stamp.back() == '\r' || stamp.back() == ' ' || stamp.back() == '\t')) {
        stamp.pop_back();
    }
    return stamp;
}

bool CTipFile::Seek(long offset)
{
    // As with a file, a position past the end is accepted; reading there finds nothing.
    if (!m_open || offset < 0) {
        return false;
    }
    m_position = offset;
    return true;
}

long CTipFile::Tell() const
{
    return m_open ? m_position : -1;
}

std::optional<std::string> CTipFile::NextTip()
{
    if (!m_open) {
        return std::nullopt;
    }
    // Without a tip line the search would go round for ever; one wrap to the top is enough to
    // have seen every line once.
    bool wrapped = false;
    for (;;) {
        const auto start = static_cast<std::size_t>(m_position);
        if (start >= m_text.size()) {
            if (wrapped) {
                return std::nullopt;
            }
            wrapped = true;
            m_position = 0;
            continue;
        }
        // A piece ends after its line end, or after kPieceLength characters.
        const std::size_t limit = std::min(m_text.size(), start + kPieceLength);
        const std::size_t lineEnd = m_text.find('\n', start);
        const std::size_t end = lineEnd < limit ? lineEnd + 1 : limit;
        m_position = static_cast<long>(end);
        // A carriage return first is the empty line of a file written with CR LF line ends.
        switch (m_text[start]) {
        case ' ':
        case '\t':
        case ';':
        case '\n':
        case '\r':
        case '\0':
            continue;
        default:
            // Text stops at a zero byte, as it always did when lines were read as C strings.
            const std::string piece = m_text.substr(start, end - start);
            return piece.substr(0, piece.find('\0'));
        }
    }
}
