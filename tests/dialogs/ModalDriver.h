#pragma once

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// A modal dialog runs its own event loop, so a test acts on it from a timer that fires inside
// that loop. Schedule before the click that opens the dialog. A dialog of another kind, or none,
// is a failure; the dialog found is closed unless the action closed it.
template <class TDialog> void WhenModal(std::function<void(TDialog&)> action)
{
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<TDialog*>(modal);
        if (!dialog) {
            ADD_FAILURE() << "expected a modal " << TDialog::staticMetaObject.className();
            if (auto* other = qobject_cast<QDialog*>(modal)) {
                other->reject();
            }
            return;
        }
        action(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

// The control with the given id inside a dialog or page.
template <class TControl = QWidget> TControl* Control(const QWidget& parent, int id)
{
    auto* control = parent.findChild<TControl*>(QStringLiteral("IDC_%1").arg(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

inline void SetText(const QWidget& parent, int id, const QString& text)
{
    if (auto* field = Control<QLineEdit>(parent, id)) {
        field->setText(text);
    }
}

inline QString Text(const QWidget& parent, int id)
{
    auto* field = Control<QLineEdit>(parent, id);
    return field ? field->text() : QString{};
}

// For a click that must not open a dialog: one that opens anyway is a failure and is closed, so
// the test ends instead of waiting for a user. Call QApplication::processEvents() after the click.
inline void FailOnModal()
{
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "unexpected modal " << dialog->metaObject()->className();
            dialog->reject();
        }
    });
}
