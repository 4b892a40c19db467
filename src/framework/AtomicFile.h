#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

// A file written as a whole or not at all: everything goes into a temporary file beside the
// target, which replaces the target only once it is written, flushed and on disk. Until then the
// previous file stays byte for byte as it was. Every step is checked, a full disk included, and a
// failure leaves the error number behind for the caller's message. SIGINT, SIGTERM and SIGHUP
// while the file is open remove the temporary file and are then handled as they were before the
// file was opened (by default they end the program); a signal the program ignored stays ignored,
// and the previous actions are back once the file is committed or discarded. A new file gets
// the rights 0666 less the user's umask, an existing one keeps its rights.
//
// A target that is a device (or a pipe) has nothing to keep: it is written directly, still with
// every error reported. A symbolic link is followed, so the file it points to is replaced, not
// the link. A regular target without any write permission is refused, as the user protected it.
class CAtomicFile final
{
public:
    // target: a name as DecodeFileName makes it, so that names that are not UTF-8 keep their bytes.
    explicit CAtomicFile(const QString& target);
    ~CAtomicFile();

    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file, so that a missing or read-only folder is known before any work.
    bool Open();

    // Where the content is written, while open. A failed write fails every later one.
    QIODevice& Device();

    // Flushes, syncs and puts the file in place of the target. On failure the temporary file is
    // gone and the target untouched.
    bool Commit();

    // The error number of the first failure (open, write, sync, close or rename), or 0.
    int Error() const;
    // That failure in German words.
    QString Reason() const;

    // Where the file really goes: the end of the target's chain of links, as bytes.
    const QByteArray& ResolvedTarget() const { return m_resolved; }

    // The steps a write may fail at. Tests that cannot fill a disk make the next pass through a
    // step fail with the given error number, exactly as the system call would.
    enum class EStep
    {
        Create,
        Write,
        Sync,
        Rename
    };
    static void FailNextAt(EStep step, int code);

private:
    void Discard();
    bool Fail(int code);

    class CDescriptorDevice;

    QByteArray m_target;
    QByteArray m_resolved;
    QByteArray m_temporary;
    int m_fd{-1};
    int m_error{0};
    std::unique_ptr<CDescriptorDevice> m_device;
    bool m_direct{false};
    // The slot the signal handler finds the temporary name in, or -1.
    int m_slot{-1};
};
