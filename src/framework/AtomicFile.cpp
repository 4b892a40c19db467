#include "cli/OutputFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file the signal handler removes. A plain buffer: the handler may only call
// functions that are safe in a signal handler, and unlink() reads the name as it stands.
char g_temporaryPath[PATH_MAX + 32];

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

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

QString SystemReason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// The file a chain of symbolic links ends at, even when that file does not exist yet.
QString FollowLinks(const QString& path)
{
    QString current = path;
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info{current};
        if (!info.isSymLink()) {
            break;
        }
        current = info.symLinkTarget();
    }
    return current;
}

} // namespace

// Writes to a file descriptor through a buffer of its own and keeps the first error: the device
// under a painter may drop the result of a failed write, and a file must not pass as complete
// after one.
class COutputFile::CDescriptorDevice final : public QIODevice
{
public:
    explicit CDescriptorDevice(int fd) : m_fd{fd} { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

    // 0 while every write went through; else the errno of the first that did not.
    int Error() const { return m_error; }

    bool Flush()
    {
        std::size_t done = 0;
        while (m_error == 0 && done < m_buffer.size()) {
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
            setErrorString(QString::fromLocal8Bit(std::strerror(m_error)));
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

COutputFile::COutputFile(const QString& target) : m_target{target} {}

COutputFile::~COutputFile()
{
    Discard();
}

QString COutputFile::Failure(const QString& reason) const
{
    return QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2.").arg(m_target, reason);
}

bool COutputFile::Open(QString& error)
{
    m_resolved = FollowLinks(m_target);
    const QFileInfo info{m_resolved};
    if (info.isDir()) {
        error = QStringLiteral("\"%1\" ist ein Ordner; gemeint ist die Datei, in die das Bild soll.")
                    .arg(m_target);
        return false;
    }
    if (info.exists() && !info.isFile()) {
        m_direct = true;
        m_fd = ::open(QFile::encodeName(m_resolved).constData(), O_WRONLY | O_CLOEXEC);
        if (m_fd < 0) {
            error = Failure(SystemReason(errno));
            return false;
        }
        m_device = std::make_unique<CDescriptorDevice>(m_fd);
        return true;
    }

    const QByteArray pattern = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                                 info.fileName() + QStringLiteral(".XXXXXX"));
    if (pattern.size() >= static_cast<qsizetype>(sizeof g_temporaryPath)) {
        error = Failure(SystemReason(ENAMETOOLONG));
        return false;
    }
    std::memcpy(g_temporaryPath, pattern.constData(), static_cast<std::size_t>(pattern.size()) + 1);
    WatchSignals(true);
    m_fd = ::mkostemp(g_temporaryPath, O_CLOEXEC);
    if (m_fd < 0) {
        const int code = errno;
        g_temporaryPath[0] = '\0';
        WatchSignals(false);
        error = Failure(SystemReason(code));
        return false;
    }
    m_temporary = QByteArray{g_temporaryPath};

    // The new file gets the rights of the one it replaces, or those a new file would get.
    struct stat previous
    {
    };
    mode_t mode{};
    if (::stat(QFile::encodeName(m_resolved).constData(), &previous) == 0) {
        mode = previous.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(m_fd, mode);

    m_device = std::make_unique<CDescriptorDevice>(m_fd);
    return true;
}

QIODevice& COutputFile::Device()
{
    return *m_device;
}

QString COutputFile::WriteFailure() const
{
    return m_device && m_device->Error() != 0 ? Failure(SystemReason(m_device->Error())) : QString{};
}

bool COutputFile::Commit(QString& error)
{
    if (!m_device || m_fd < 0) {
        error = Failure(SystemReason(EBADF));
        return false;
    }
    m_device->Flush();
    int code = m_device->Error();
    m_device.reset();
    // A full disk may only show when the data really goes to it.
    if (code == 0 && !m_direct && ::fsync(m_fd) != 0) {
        code = errno;
    }
    if (::close(m_fd) != 0 && code == 0) {
        code = errno;
    }
    m_fd = -1;
    if (code == 0 && !m_direct &&
        ::rename(m_temporary.constData(), QFile::encodeName(m_resolved).constData()) != 0) {
        code = errno;
    }
    if (code != 0) {
        error = Failure(SystemReason(code));
        Discard();
        return false;
    }
    m_temporary.clear();
    g_temporaryPath[0] = '\0';
    WatchSignals(false);
    return true;
}

void COutputFile::Discard()
{
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
