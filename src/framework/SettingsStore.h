#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>

class QSettings;

// The per-user settings: sections ("Settings", "Tip") holding named values, read with a default
// where they are used. The program's store lives under "Vex Software" / "Vex Funktions-Plotter";
// tests point the store at a file of their own so that they never touch the user's settings.
// Only a regular file (or none, which is then made) holds the settings; anything else in its
// place, a link to a device or a pipe, is left alone with one warning on stderr.
class CSettingsStore final
{
public:
    // The store everybody uses.
    static CSettingsStore& Instance();
    // From now on Instance() reads and writes the given INI file (tests), or the user's settings
    // again when the path is empty.
    static void UseFile(const QString& iniPath);

    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) const;
    void WriteProfileInt(const QString& section, const QString& entry, int value);
    QString GetProfileString(const QString& section, const QString& entry, const QString& defaultValue) const;
    void WriteProfileString(const QString& section, const QString& entry, const QString& value);

    // The recent-file list, newest first, at most kRecentFiles entries.
    static constexpr int kRecentFiles = 4;
    QStringList RecentFiles() const;
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);

    explicit CSettingsStore(const QString& iniPath = {});
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

private:
    void WriteRecentFiles(const QStringList& files);
    QVariant Value(const QString& key, const QVariant& defaultValue = {}) const;
    void SetValue(const QString& key, const QVariant& value);
    void Remove(const QString& key);
    void Sync();

    // None when the settings file is not a regular file: the values then live in m_unsaved.
    std::unique_ptr<QSettings> m_settings;
    QHash<QString, QVariant> m_unsaved;
};
