#pragma once

// Helpers for widget tests that click buttons, run modal dialogs and need settings of their own.
#include "framework/SettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Points the settings store at a new, empty file, so that a test starts as a first run does.
inline void UseFreshSettings()
{
    static QTemporaryDir directory;
    static int count = 0;
    CSettingsStore::UseFile(directory.filePath(QStringLiteral("settings-%1.ini").arg(++count)));
}

// Clicks a check box or radio button on its indicator: a click beside its text does nothing.
inline void ClickOn(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint{6, button->height() / 2});
}

// While it lives, runs action once on the first modal widget of type T that opens, from inside
// that widget's event loop. Going out of scope unused, it leaves later tests alone.
template <class T> class CWhenModal final
{
public:
    explicit CWhenModal(std::function<void(T*)> action) : m_action{std::move(action)}
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
                m_timer.stop();
                m_action(widget);
            }
        });
        m_timer.start();
    }
    CWhenModal(const CWhenModal&) = delete;
    CWhenModal& operator=(const CWhenModal&) = delete;

private:
    std::function<void(T*)> m_action;
    QTimer m_timer;
};

// Answers every message box that opens while it lives with its default button and keeps the
// texts, so that a test sees what the user would have been told.
class CMessageBoxCatcher final
{
public:
    CMessageBoxCatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start();
    }
    CMessageBoxCatcher(const CMessageBoxCatcher&) = delete;
    CMessageBoxCatcher& operator=(const CMessageBoxCatcher&) = delete;

    QStringList texts;

private:
    QTimer m_timer;
};
