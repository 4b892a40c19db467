#include "framework/SettingsStore.h"

#include "ProductInfo.h"

#include <QFileInfo>
#include <QSettings>

namespace {

std::unique_ptr<CSettingsStore>& Current()
{
    static std::unique_ptr<CSettingsStore> store;
    return store;
}

QString Key(const QString& section, const QString& entry)
{
    return section + QLatin1Char('/') + entry;
}

} // namespace

CSettingsStore::CSettingsStore(const QString& iniPath)
    : m_settings{iniPath.isEmpty() ? std::make_unique<QSettings>(QStringLiteral(VEX_COMPANY_NAME),
                                                                 QStringLiteral(VEX_PRODUCT_NAME))
                                   : std::make_unique<QSettings>(iniPath, QSettings::IniFormat)}
{
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
    const int value = m_settings->value(Key(section, entry)).toInt(&ok);
    return ok ? value : defaultValue;
}

void CSettingsStore::WriteProfileInt(const QString& section, const QString& entry, int value)
{
    m_settings->setValue(Key(section, entry), value);
    m_settings->sync();
}

QString CSettingsStore::GetProfileString(const QString& section, const QString& entry,
                                         const QString& defaultValue) const
{
    return m_settings->value(Key(section, entry), defaultValue).toString();
}

void CSettingsStore::WriteProfileString(const QString& section, const QString& entry, const QString& value)
{
    m_settings->setValue(Key(section, entry), value);
    m_settings->sync();
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
            m_settings->setValue(key, files[i - 1]);
        } else {
            m_settings->remove(key);
        }
    }
    m_settings->sync();
}
