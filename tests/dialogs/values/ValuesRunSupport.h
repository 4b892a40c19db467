#pragma once

// Helpers for tests that run the values dialog's analyses: the settings a run reads, and waiting
// for a run on the dialog's worker to end.
#include "dialogs/values/ValuesDialog.h"
#include "framework/SettingsStore.h"

#include <QPushButton>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

// Sets one number of the "Settings" section while it lives and puts the default back afterwards.
class CScopedSetting
{
public:
    CScopedSetting(const char* key, int value, int restore) : m_key{QString::fromLatin1(key)}, m_restore{restore}
    {
        Write(m_key, value);
    }
    ~CScopedSetting() { Write(m_key, m_restore); }
    CScopedSetting(const CScopedSetting&) = delete;
    CScopedSetting& operator=(const CScopedSetting&) = delete;

    static int Stored(const char* key)
    {
        return CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QString::fromLatin1(key), -1);
    }

private:
    static void Write(const QString& key, int value)
    {
        CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), key, value);
    }

    QString m_key;
    int m_restore;
};

// "Genaue Werte" on or off for one test.
class CExactResults final : public CScopedSetting
{
public:
    explicit CExactResults(int on) : CScopedSetting{"ExactResults", on, 1} {}
    static int Stored() { return CScopedSetting::Stored("ExactResults"); }
};

// The stored precision for one test.
class CPrecision final : public CScopedSetting
{
public:
    explicit CPrecision(int precision) : CScopedSetting{"Precision", precision, 3} {}
};

// Waits until the run has ended and the dialog has taken everything.
inline void WaitForRun(CValuesDialog& dialog)
{
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.IsRunning(); }, 120000));
}

// Clicks "Berechnen" and waits for the run.
inline void Compute(CValuesDialog& dialog)
{
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("IDC_1061"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    WaitForRun(dialog);
}
