#include "framework/AtomicFile.h"

#include "document/SystemErrorText.h"
#include "framework/FileName.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <iterator>
#include <mutex>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <pthread.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kSignalCount = std::size(kCleanedSignals);

// The temporary name is short and does not grow with the target's, so it fits beside a target
// whose name already takes the 255 bytes a folder entry may have.
constexpr char kTemporaryPrefix[] = ".vex-";
constexpr std::size_t kRandomLength = 6;

// The temporary files the signal handler removes, one slot per file open at the same time. A
// handler may only call what is safe in a signal handler and must never see a name half written:
// a slot's name is written while the slot is unarmed and read only while it is armed.
struct STemporarySlot
{
    std::atomic<bool> armed{false};
    char path[PATH_MAX + 32]{};
};
static_assert(std::atomic<bool>::is_always_lock_free);
constexpr std::size_t kSlotCount = 4;
STemporarySlot g_slots[kSlotCount];
// Which slots are taken, changed under g_watchMutex only (never by the handler).
bool g_slotTaken[kSlotCount]{};

// The actions the signals had before the first open file, put back after the last one. A signal
// the program ignores (nohup, a shell's background job) is left ignored: it would not have ended
// the program, so it must not now.
std::mutex g_watchMutex;
int g_watchers = 0;
struct sigaction g_previous[kSignalCount];
bool g_handled[kSignalCount]{};

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

extern "C" void RemoveTemporariesAndPassOn(int signal)
{
    const int savedErrno = errno;
    for (STemporarySlot& slot : g_slots) {
        if (slot.armed.load()) {
            ::unlink(slot.path);
        }
    }
    // Then whatever the program had asked for before: by default it ends as the signal would have
    // ended it, so the caller sees what stopped it. The signal is blocked while this runs and is
    // taken by the restored action as soon as this returns.
    for (std::size_t i = 0; i < kSignalCount; ++i) {
        if (kCleanedSignals[i] == signal) {
            ::sigaction(signal, &g_previous[i], nullptr);
        }
    }
    ::raise(signal);
    errno = savedErrno;
}

// Keeps the cleaned signals away from this thread for as long as it lives, so that a file is
// never created without being armed, nor unarmed while it is still there.
class CSignalsHeld final
{
public:
    CSignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : kCleanedSignals) {
            sigaddset(&held, signal);
        }
        ::pthread_sigmask(SIG_BLOCK, &held, &m_before);
    }
    ~CSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &m_before, nullptr); }
    CSignalsHeld(const CSignalsHeld&) = delete;
    CSignalsHeld& operator=(const CSignalsHeld&) = delete;

private:
    sigset_t m_before{};
};

// Takes a slot for a file and installs the handler with the first one.
int TakeSlot()
{
    const std::lock_guard lock{g_watchMutex};
    if (g_watchers++ == 0) {
        for (std::size_t i = 0; i < kSignalCount; ++i) {
            ::sigaction(kCleanedSignals[i], nullptr, &g_previous[i]);
            g_handled[i] = g_previous[i].sa_handler != SIG_IGN;
            if (g_handled[i]) {
                struct sigaction action
                {
                };
                action.sa_handler = RemoveTemporariesAndPassOn;
                sigemptyset(&action.sa_mask);
                for (int signal : kCleanedSignals) {
                    sigaddset(&action.sa_mask, signal);
                }
                ::sigaction(kCleanedSignals[i], &action, nullptr);
            }
        }
    }
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        if (!g_slotTaken[i]) {
            g_slotTaken[i] = true;
            return static_cast<int>(i);
        }
    }
    return -1; // more files open at once than slots: this one is not removed by a signal
}

// Gives a slot back and restores the previous actions after the last one.
void ReturnSlot(int slot)
{
    const std::lock_guard lock{g_watchMutex};
    if (slot >= 0) {
        g_slots[slot].armed.store(false);
        g_slotTaken[slot] = false;
    }
    if (--g_watchers == 0) {
        for (std::size_t i = 0; i < kSignalCount; ++i) {
            if (g_handled[i]) {
                ::sigaction(kCleanedSignals[i], &g_previous[i], nullptr);
                g_handled[i] = false;
            }
        }
    }
}

// A name nobody is likely to have taken: six letters or digits from the system's random source.
QByteArray RandomName()
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[kRandomLength]{};
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        static std::atomic<unsigned> counter{0};
        const unsigned seed = static_cast<unsigned>(::getpid()) * 2654435761U +
                              counter.fetch_add(1) * 40503U + static_cast<unsigned>(std::time(nullptr));
        for (std::size_t i = 0; i < kRandomLength; ++i) {
            bytes[i] = static_cast<unsigned char>(seed >> (i * 5));
        }
    }
    QByteArray name{kTemporaryPrefix};
    for (unsigned char byte : bytes) {
        name += kLetters[byte % (sizeof kLetters - 1)];
    }
    return name;
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

    const QByteArray folder = FolderOf(m_resolved) + '/';
    if (folder.size() + static_cast<qsizetype>(sizeof kTemporaryPrefix + kRandomLength) >
        static_cast<qsizetype>(sizeof g_slots[0].path)) {
        return Fail(ENAMETOOLONG);
    }
    m_slot = TakeSlot();
    // A new file gets the rights any new file of the user gets: 0666 less the umask, which the
    // system applies itself. The umask is never read, as that means changing it for a moment
    // for the whole process. A file that replaces another gets that one's rights below.
    const mode_t mode = exists ? 0600 : 0666;
    int code = Injected(EStep::Create);
    for (int attempt = 0; code == 0 && m_fd < 0; ++attempt) {
        const QByteArray candidate = folder + RandomName();
        const CSignalsHeld held;
        m_fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd >= 0) {
            m_temporary = candidate;
            if (m_slot >= 0) {
                std::memcpy(g_slots[m_slot].path, candidate.constData(),
                            static_cast<std::size_t>(candidate.size()) + 1);
                g_slots[m_slot].armed.store(true);
            }
        } else if (errno != EEXIST || attempt == 100) {
            code = errno;
        }
    }
    if (m_fd < 0) {
        ReturnSlot(m_slot);
        m_slot = -1;
        return Fail(code);
    }
    if (exists) {
        ::fchmod(m_fd, info.st_mode & 07777);
    }

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
    {
        const CSignalsHeld held;
        m_temporary.clear();
        ReturnSlot(m_slot);
        m_slot = -1;
    }
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
        const CSignalsHeld held;
        ::unlink(m_temporary.constData());
        m_temporary.clear();
        ReturnSlot(m_slot);
        m_slot = -1;
    }
}
