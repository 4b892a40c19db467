#include "framework/SettingsStore.h"

#include "ProductInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>

#include <sys/stat.h>

namespace {

std::unique_ptr<CSettingsStore>& Current()
{
    static std::unique_ptr<CSettingsStore> store;
    return store;
}

// Where QSettings keeps the user's settings of this program on this system.
QString UserSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/" VEX_COMPANY_NAME "/" VEX_PRODUCT_NAME ".conf");
}

// A settings file is read and written only when it is a regular file (through any links) or does
// not exist yet, in which case it is made.
bool IsRegularOrAbsent(const QString& path)
{
    struct stat info
    {
    };
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &info) != 0) {
        return errno == ENOENT;
    }
    // A link to nothing yet gets its file made where it points, as a missing file is made.
    if (S_ISLNK(info.st_mode) && ::stat(name.constData(), &info) != 0) {
        return errno == ENOENT;
    }
    return S_ISREG(info.st_mode);
}

QString Key(const QString& section, const QString& entry)
{
    return section + QLatin1Char('/') + entry;
}

} // namespace

CSettingsStore::CSettingsStore(const QString& iniPath)
{
    const QString path = iniPath.isEmpty() ? UserSettingsPath() : iniPath;
    if (!IsRegularOrAbsent(path)) {
        // A pipe would block the start until someone writes to it, and writing would replace
        // whatever a link points at, a device included. The settings live in memory instead.
        std::fprintf(stderr,
                     "vexplot: Die Einstellungsdatei \"%s\" ist keine gewöhnliche Datei; die Einstellungen "
                     "werden in dieser Sitzung weder gelesen noch gespeichert.\n",
                     QFile::encodeName(path).constData());
        return;
    }
    m_settings = iniPath.isEmpty() ? std::make_unique<QSettings>(QStringLiteral(VEX_COMPANY_NAME),
                                                                 QStringLiteral(VEX_PRODUCT_NAME))
                                   : std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

QVariant CSettingsStore::Value(const QString& key, const QVariant& defaultValue) const
{
    if (!m_settings) {
        return m_unsaved.value(key, defaultValue);
    }
    return m_settings->value(key, defaultValue);
}

void CSettingsStore::SetValue(const QString& key, const QVariant& value)
{
    if (!m_settings) {
        m_unsaved.insert(key, value);
        return;
    }
    m_settings->setValue(key, value);
}

void CSettingsStore::Remove(const QString& key)
{
    if (!m_settings) {
        m_unsaved.remove(key);
        return;
    }
    m_settings->remove(key);
}

void CSettingsStore::Sync()
{
    if (m_settings) {
        m_settings->sync();
    }
}

CSettingsStore::~CSettingsStore() = default;

CSettingsStore& CSettingsStore::Instance()
{
    auto& store = Current();
    if (!store) {
        store = std::make_unique<CSettingsStore>();
    }
    return *store;
}

void CSettingsStore::UseFile(const QString& iniPath)
{
    Current() = std::make_unique<CSettingsStore>(iniPath);
}

int CSettingsStore::GetProfileInt(const QString& section, const QString& entry, int defaultValue) const
{
    bool ok = false;
    const int value = Value(Key(section, entry)).toInt(&ok);
    return ok ? value : defaultValue;
}

void CSettingsStore::WriteProfileInt(const QString& section, const QString& entry, int value)
{
    SetValue(Key(section, entry), value);
    Sync();
}

QString CSettingsStore::GetProfileString(const QString& section, const QString& entry,
                                         const QString& defaultValue) const
{
    return Value(Key(section, entry), defaultValue).toString();
}

void CSettingsStore::WriteProfileString(const QString& section, const QString& entry, const QString& value)
{
    SetValue(Key(section, entry), value);
    Sync();
}

QStringList CSettingsStore::RecentFiles() const
{
    QStringList files;
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString file =
            GetProfileString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i), {});
        if (!file.isEmpty()) {
            files << file;
        }
    }
    return files;
}

void CSettingsStore::AddRecentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    WriteRecentFiles(files.mid(0, kRecentFiles));
}

void CSettingsStore::RemoveRecentFile(const QString& path)
{
    QStringList files = RecentFiles();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    WriteRecentFiles(files);
}

void CSettingsStore::WriteRecentFiles(const QStringList& files)
{
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString key = Key(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i));
        if (i <= files.size()) {
            SetValue(key, files[i - 1]);
        } else {
            Remove(key);
        }
    }
    Sync();
}
