#include "framework/AtomicFile.h"

#include "document/SystemErrorText.h"
#include "framework/FileName.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file the signal handler removes. A plain buffer: the handler may only call
// functions that are safe in a signal handler, and unlink() reads the name as it stands.
char g_temporaryPath[PATH_MAX + 32];

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary name is short and does not grow with the target's, so it fits beside a target
// whose name already takes the 255 bytes a folder entry may have.
constexpr char kTemporaryName[] = ".vex-XXXXXX";

struct CInjectedFailure
{
    CAtomicFile::EStep step;
    int code;
};
std::optional<CInjectedFailure> g_injected;

// The injected error number for this step, once; else 0.
int Injected(CAtomicFile::EStep step)
{
    if (g_injected && g_injected->step == step) {
        const int code = g_injected->code;
        g_injected.reset();
        return code;
    }
    return 0;
}

extern "C" void RemoveTemporaryAndDie(int signal)
{
    if (g_temporaryPath[0] != '\0') {
        ::unlink(g_temporaryPath);
    }
    // Ends the program as the signal would have, so the caller sees what stopped it.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void WatchSignals(bool on)
{
    struct sigaction action
    {
    };
    action.sa_handler = on ? RemoveTemporaryAndDie : SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kCleanedSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

// The file a chain of symbolic links ends at, even when that file does not exist yet.
QByteArray FollowLinks(const QByteArray& path)
{
    QByteArray current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info
        {
        };
        if (::lstat(current.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            break;
        }
        std::vector<char> target(static_cast<std::size_t>(PATH_MAX) + 1);
        const ssize_t length = ::readlink(current.constData(), target.data(), target.size() - 1);
        if (length <= 0) {
            break;
        }
        QByteArray next{target.data(), static_cast<qsizetype>(length)};
        if (!next.startsWith('/')) {
            const qsizetype slash = current.lastIndexOf('/');
            next = (slash < 0 ? QByteArray{} : current.left(slash + 1)) + next;
        }
        current = next;
    }
    return current;
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

} // namespace

// Writes to a file descriptor through a buffer of its own and keeps the first error: the device
// under a painter may drop the result of a failed write, and a file must not pass as complete
// after one.
class CAtomicFile::CDescriptorDevice final : public QIODevice
{
public:
    explicit CDescriptorDevice(int fd) : m_fd{fd} { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

    // 0 while every write went through; else the errno of the first that did not.
    int Error() const { return m_error; }

    bool Flush()
    {
        std::size_t done = 0;
        while (m_error == 0 && done < m_buffer.size()) {
            if (const int code = Injected(EStep::Write); code != 0) {
                m_error = code;
                break;
            }
            const ssize_t written = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                m_error = written < 0 ? errno : EIO;
                break;
            }
            done += static_cast<std::size_t>(written);
        }
        m_buffer.clear();
        return m_error == 0;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 length) override
    {
        if (m_error != 0) {
            return -1;
        }
        m_buffer.insert(m_buffer.end(), data, data + length);
        if (m_buffer.size() >= kChunk && !Flush()) {
            setErrorString(QString::fromStdString(SystemErrorText(m_error)));
            return -1;
        }
        return length;
    }

private:
    static constexpr std::size_t kChunk = std::size_t{1} << 16;

    int m_fd;
    int m_error{0};
    std::vector<char> m_buffer;
};

CAtomicFile::CAtomicFile(const QString& target) : m_target{EncodeFileName(target)} {}

CAtomicFile::~CAtomicFile()
{
    Discard();
}

void CAtomicFile::FailNextAt(EStep step, int code)
{
    g_injected = CInjectedFailure{step, code};
}

bool CAtomicFile::Fail(int code)
{
    if (m_error == 0) {
        m_error = code;
    }
    Discard();
    return false;
}

int CAtomicFile::Error() const
{
    return m_error != 0 ? m_error : (m_device ? m_device->Error() : 0);
}

QString CAtomicFile::Reason() const
{
    return QString::fromStdString(SystemErrorText(Error()));
}

bool CAtomicFile::Open()
{
    m_resolved = FollowLinks(m_target);
    struct stat info
    {
    };
    const bool exists = ::stat(m_resolved.constData(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        return Fail(EISDIR);
    }
    if (exists && !S_ISREG(info.st_mode)) {
        m_direct = true;
        m_fd = ::open(m_resolved.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (m_fd < 0) {
            return Fail(errno);
        }
        // Only the open must not wait (a pipe without a reader); the writes may.
        ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
        m_device = std::make_unique<CDescriptorDevice>(m_fd);
        return true;
    }
    // Write permission is the user's word that the file may change. The owner of the program's
    // process may be allowed everything; a file without any write permission is left alone all
    // the same.
    if (exists && ((info.st_mode & 0222) == 0 || ::access(m_resolved.constData(), W_OK) != 0)) {
        return Fail(EACCES);
    }

    const QByteArray pattern = FolderOf(m_resolved) + '/' + kTemporaryName;
    if (pattern.size() >= static_cast<qsizetype>(sizeof g_temporaryPath)) {
        return Fail(ENAMETOOLONG);
    }
    std::memcpy(g_temporaryPath, pattern.constData(), static_cast<std::size_t>(pattern.size()) + 1);
    WatchSignals(true);
    const int injected = Injected(EStep::Create);
    m_fd = injected == 0 ? ::mkostemp(g_temporaryPath, O_CLOEXEC) : -1;
    if (m_fd < 0) {
        const int code = injected != 0 ? injected : errno;
        g_temporaryPath[0] = '\0';
        WatchSignals(false);
        return Fail(code);
    }
    m_temporary = QByteArray{g_temporaryPath};

    // The new file gets the rights of the one it replaces, or those a new file would get.
    mode_t mode{};
    if (exists) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(m_fd, mode);

    m_device = std::make_unique<CDescriptorDevice>(m_fd);
    return true;
}

QIODevice& CAtomicFile::Device()
{
    return *m_device;
}

bool CAtomicFile::Commit()
{
    if (!m_device || m_fd < 0) {
        return Fail(m_error != 0 ? m_error : EBADF);
    }
    m_device->Flush();
    int code = m_device->Error();
    m_device.reset();
    // A full disk may only show when the data really goes to it.
    if (code == 0 && !m_direct) {
        code = Injected(EStep::Sync);
        if (code == 0 && ::fsync(m_fd) != 0) {
            code = errno;
        }
    }
    if (::close(m_fd) != 0 && code == 0) {
        code = errno;
    }
    m_fd = -1;
    if (code == 0 && !m_direct) {
        code = Injected(EStep::Rename);
        if (code == 0 && ::rename(m_temporary.constData(), m_resolved.constData()) != 0) {
            code = errno;
        }
    }
    if (code != 0) {
        return Fail(code);
    }
    if (!m_direct) {
        // The new name is on disk only once the folder is.
        const int folder = ::open(FolderOf(m_resolved).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
    m_temporary.clear();
    g_temporaryPath[0] = '\0';
    WatchSignals(false);
    return true;
}

void CAtomicFile::Discard()
{
    if (m_device && m_error == 0) {
        m_error = m_device->Error();
    }
    m_device.reset();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
        g_temporaryPath[0] = '\0';
        WatchSignals(false);
    }
}
