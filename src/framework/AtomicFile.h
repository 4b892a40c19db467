#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

// The file an export writes. The picture goes into a temporary file beside the target, which
// replaces the target only once everything is written and on disk; until then the previous file
// stays as it was. A write error anywhere, a full disk included, fails Commit() with the system's
// reason. SIGINT, SIGTERM and SIGHUP while the file is open remove the temporary file before the
// program ends as the signal asks.
//
// A target that is a device (or a pipe) has nothing to keep: it is written directly, still with
// every error reported. A symbolic link is followed, so the file it points to is replaced, not
// the link.
class COutputFile final
{
public:
    explicit COutputFile(const QString& target);
    ~COutputFile();

    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    // Creates the temporary file, so that a missing or read-only folder is known before any work.
    // On failure, error is a German sentence naming the target.
    bool Open(QString& error);

    // Where the picture is written, while open.
    QIODevice& Device();

    // The German sentence for a write that has already failed, or nothing.
    QString WriteFailure() const;

    // Flushes, syncs and puts the file in place of the target. On failure the temporary file is
    // gone, the target untouched, and error a German sentence naming the target and the reason.
    bool Commit(QString& error);

private:
    void Discard();
    QString Failure(const QString& reason) const;

    class CDescriptorDevice;

    QString m_target;
    QString m_resolved;
    QByteArray m_temporary;
    int m_fd{-1};
    std::unique_ptr<CDescriptorDevice> m_device;
    bool m_direct{false};
};
