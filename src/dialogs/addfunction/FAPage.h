#pragma once

#include "framework/WizardPage.h"

#include <QStringList>

class QLabel;
class QVBoxLayout;

// A step of the add-function wizard: the wizard's picture at the left, the step's texts and fields
// to the right of it, top to bottom.
class CFAPage : public CWizardPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFAPage)

public:
    CFAPage(int dialogId, const QString& title, QWidget* parent = nullptr);

protected:
    // The column right of the picture.
    QVBoxLayout* Column() const { return m_column; }
    // A paragraph whose lines break where they are given.
    QLabel* AddText(const QStringList& lines);

private:
    QVBoxLayout* m_column{nullptr};
};
