#pragma once

#include <QString>
#include <QWidget>

class CPropertySheet;

// One page of a tabbed sheet. A page holds its values as members and moves them between the
// members and its controls in UpdateData, in one place: false fills the controls, true reads them
// back and checks them. A refused field has shown its message and has the focus when true
// comes back false.
class CPropertyPage : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPropertyPage)

public:
    // The dialog id names the page ("IDD_<id>"); its help page it names itself (SetHelpPage).
    CPropertyPage(int dialogId, const QString& title, QWidget* parent = nullptr);

    QString Title() const { return m_title; }

    virtual bool UpdateData(bool saveAndValidate);

    // The page becomes the current one; the first time its controls are filled first.
    virtual void OnSetActive() {}
    // The page is about to be left, or the sheet about to close with OK: false keeps it.
    virtual bool OnKillActive() { return UpdateData(true); }
    // The sheet closes with OK, after every page has been read back.
    virtual void OnOK() {}

    // The sheet the page sits in, once added.
    CPropertySheet* Sheet() const { return m_sheet; }

private:
    friend class CPropertySheet;

    QString m_title;
    CPropertySheet* m_sheet{nullptr};
};
