#pragma once

#include <QDialog>
#include <QList>

class CPropertyPage;
class QDialogButtonBox;
class QPushButton;
class QTabWidget;

// A modal tabbed sheet with OK and Abbrechen (and "&Hilfe" when asked for). Leaving a page reads
// its fields back; a refused field keeps that page current. OK reads every page back, the current
// one first and then the others in order, also pages that were never shown; a refusal makes that
// page current and keeps the sheet open. Nothing is applied before OK.
class CPropertySheet : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPropertySheet)

public:
    explicit CPropertySheet(const QString& caption, QWidget* parent = nullptr, bool withHelp = false);
    ~CPropertySheet() override;

    // Takes the page over; its controls are filled from its members at once, so that a page that
    // is never shown still reads back what it was given.
    void AddPage(CPropertyPage* page);
    CPropertyPage* GetPage(int index) const { return m_pages.value(index); }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }

    // The page shown first (before exec) or now.
    void SetActivePage(int index);
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const { return GetPage(GetActiveIndex()); }

    void EnableOk(bool enable);
    QPushButton* OkButton() const;
    QTabWidget* Tabs() const { return m_tabs; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnCurrentChanged(int index);
    void ActivatePage(int index);

    QTabWidget* m_tabs{nullptr};
    QDialogButtonBox* m_buttons{nullptr};
    QList<CPropertyPage*> m_pages;
    QList<bool> m_activated;
    int m_current{-1};
    bool m_switching{false};
};
