#include "app/MailSender.h"

#include "app/GraphDocument.h"
#include "document/GraphFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>

namespace {

struct SMailTools
{
    QString folder;
    std::optional<bool> available;
};

SMailTools& Tools()
{
    static SMailTools tools;
    return tools;
}

QString FindTool(const QString& name)
{
    const QString& folder = Tools().folder;
    return folder.isEmpty() ? QStandardPaths::findExecutable(name)
                            : QStandardPaths::findExecutable(name, {folder});
}

// A mail program is registered when the desktop names a handler for mailto links.
bool HasMailHandler()
{
    const QString mime = FindTool(QStringLiteral("xdg-mime"));
    if (mime.isEmpty()) {
        return false;
    }
    QProcess query;
    query.start(mime, {QStringLiteral("query"), QStringLiteral("default"),
                       QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

// The name the attached copy carries: the file's name, or the title of a document never saved.
QString AttachmentName(const CGraphDocument& document)
{
    if (!document.GetPathName().isEmpty()) {
        return QFileInfo{document.GetPathName()}.fileName();
    }
    QString name = document.GetTitle();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty()) {
        name = QStringLiteral("Graph");
    }
    return name + QStringLiteral(".zel");
}

} // namespace

bool CMailSender::IsAvailable()
{
    SMailTools& tools = Tools();
    if (!tools.available) {
        tools.available = !FindTool(QStringLiteral("xdg-email")).isEmpty() && HasMailHandler();
    }
    return *tools.available;
}

void CMailSender::SetToolFolder(const QString& folder)
{
    Tools().folder = folder;
    Tools().available.reset();
}

QString CMailSender::AttachmentFor(const CGraphDocument& document, QString& error)
{
    if (!document.GetPathName().isEmpty() && !document.IsModified() &&
        QFileInfo::exists(document.GetPathName())) {
        return document.GetPathName();
    }
    // Each message gets a folder of its own, so that a copy a mail program still has to read is
    // never overwritten by the next one. The copies stay behind when the program ends, because
    // the mail program may read them later; they live in the system's temporary folder.
    QTemporaryDir folder{QDir::temp().filePath(QStringLiteral("vexplot-mail-XXXXXX"))};
    if (!folder.isValid()) {
        error = QStringLiteral("Es konnte kein temporärer Ordner angelegt werden.");
        return {};
    }
    folder.setAutoRemove(false);
    const QString path = folder.filePath(AttachmentName(document));
    const std::vector<std::uint8_t> bytes = WriteGraphFile(document.Model());
    QFile file{path};
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        error = QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.")
                    .arg(QDir::toNativeSeparators(path));
        file.close();
        QDir{folder.path()}.removeRecursively();
        return {};
    }
    return path;
}

bool CMailSender::Send(const CGraphDocument& document, QString& error)
{
    const QString program = FindTool(QStringLiteral("xdg-email"));
    if (program.isEmpty()) {
        error = QStringLiteral("Es ist kein E-Mail-Programm eingerichtet.");
        return false;
    }
    const QString attachment = AttachmentFor(document, error);
    if (attachment.isEmpty()) {
        return false;
    }
    // Detached: the mail program may stay open long after this command, even after the program.
    const QStringList arguments{QStringLiteral("--subject"), document.GetTitle(), QStringLiteral("--attach"),
                                attachment};
    if (!QProcess::startDetached(program, arguments)) {
        error = QStringLiteral("Das E-Mail-Programm konnte nicht gestartet werden.");
        return false;
    }
    return true;
}
