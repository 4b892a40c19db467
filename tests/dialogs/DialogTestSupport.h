#pragma once

#include "framework/MessageBoxes.h"

#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

// Readable texts in the failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '[' << texts.join(QStringLiteral(", ")).toStdString() << ']';
}

// Helpers of the dialog tests: acting on modal dialogs that the code under test opens itself,
// typing text and answering message boxes.

// Calls act with the next modal dialog of type T as soon as it runs. Start the dialog after this
// call; act must close it. Gives up (with a failure) when no such dialog shows within a while.
template <class T> void WhenShown(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
            return;
        }
        if (++*tries > 2000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " showed";
        }
    });
    timer->start(1);
}

// Chooses the colour in the next colour dialog and confirms it.
inline void ChooseColorWhenAsked(const QColor& color)
{
    WhenShown<QColorDialog>([color](QColorDialog* dialog) {
        dialog->setCurrentColor(color);
        dialog->accept();
    });
}

// Cancels the next colour dialog.
inline void CancelColorWhenAsked()
{
    WhenShown<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
}

// Types text character by character, as the keyboard would, umlauts included.
inline void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press{QEvent::KeyPress, 0, Qt::NoModifier, QString{c}};
        QApplication::sendEvent(widget, &press);
        QKeyEvent release{QEvent::KeyRelease, 0, Qt::NoModifier, QString{c}};
        QApplication::sendEvent(widget, &release);
    }
}

inline void PressKey(QWidget* widget, int key)
{
    QKeyEvent press{QEvent::KeyPress, key, Qt::NoModifier};
    QApplication::sendEvent(widget, &press);
    QKeyEvent release{QEvent::KeyRelease, key, Qt::NoModifier};
    QApplication::sendEvent(widget, &release);
}

// Answers the program's message boxes while it lives and records their texts.
class CMessageAnswers final
{
public:
    explicit CMessageAnswers(bool answer = true) : m_answer{answer}
    {
        SetMessageBoxHook([this](const QString& text, bool question) {
            (question ? questions : messages) << text;
            return m_answer;
        });
    }
    ~CMessageAnswers() { SetMessageBoxHook({}); }
    CMessageAnswers(const CMessageAnswers&) = delete;
    CMessageAnswers& operator=(const CMessageAnswers&) = delete;

    void Answer(bool answer) { m_answer = answer; }

    QStringList questions;
    QStringList messages;

private:
    bool m_answer;
};
