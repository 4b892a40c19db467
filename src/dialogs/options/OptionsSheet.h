#pragma once

#include <QDialog>

class COptGenPage;
class COptUIPage;
class QTabWidget;

// The program options ("Optionen"): the tabs "Allgemein" and "Benutzerführung". The settings
// are read when the sheet opens and written only on OK; nothing in the running program changes
// at once, each value counts where it is next read.
class COptionsSheet final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(COptionsSheet)

public:
    explicit COptionsSheet(QWidget* parent = nullptr);
    ~COptionsSheet() override;

    COptGenPage* GeneralPage() const { return m_general; }
    COptUIPage* InterfacePage() const { return m_interface; }
    QTabWidget* Tabs() const { return m_tabs; }

    void accept() override;

private:
    void ReadSettings();
    void WriteSettings();

    QTabWidget* m_tabs{nullptr};
    COptGenPage* m_general{nullptr};
    COptUIPage* m_interface{nullptr};
};
