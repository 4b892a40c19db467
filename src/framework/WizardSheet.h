#pragma once

#include <QDialog>
#include <QList>

class CWizardPage;
class QPushButton;
class QStackedWidget;

// A modal sheet that shows its pages one at a time, with "< Zurück", "Weiter >", "Fertigstellen"
// and "Abbrechen". The window title is the current page's title. Each page decides on activation
// which buttons work by SetWizardButtons; Finish takes the place of Next while it is asked for.
// Enter presses Next or Finish, Escape cancels. Both wizards of the program are built on it.
class CWizardSheet : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWizardSheet)

public:
    // Flags of SetWizardButtons.
    static constexpr int kBack = 1;
    static constexpr int kNext = 2;
    static constexpr int kFinish = 4;

    // With it the wizard has a "&Hilfe" button for the page shown.
    static constexpr bool kWithHelp = true;

    explicit CWizardSheet(QWidget* parent = nullptr, bool withHelp = false);
    ~CWizardSheet() override;

    // Takes the page over; its controls are filled from its members at once, so that Back
    // returns to a page with what was entered there.
    void AddPage(CWizardPage* page);
    CWizardPage* GetPage(int index) const { return m_pages.value(index); }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    int GetActiveIndex() const { return m_current; }
    CWizardPage* GetActivePage() const { return GetPage(m_current); }

    void SetWizardButtons(int flags);
    // Next alone, for a page that decides it while the user types.
    void EnableNext(bool enable);

    QPushButton* BackButton() const { return m_back; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* FinishButton() const { return m_finish; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    // The buttons, as if clicked; each does nothing while its button is hidden or disabled.
    void Back();
    void Next();
    // The same as Finish, so that whatever confirms the dialog cannot skip the last page.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ActivatePage(int index);
    static bool Usable(const QPushButton* button);

    QStackedWidget* m_stack{nullptr};
    QPushButton* m_back{nullptr};
    QPushButton* m_next{nullptr};
    QPushButton* m_finish{nullptr};
    QPushButton* m_cancel{nullptr};
    QPushButton* m_help{nullptr};
    QList<CWizardPage*> m_pages;
    int m_current{-1};
};
