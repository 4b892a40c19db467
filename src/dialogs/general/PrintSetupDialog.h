#pragma once

#include <QDialog>
#include <QList>
#include <QPageSize>

class QComboBox;
class QPrinter;
class QRadioButton;

// "Druckereinrichtung": the printer, the paper size and the orientation for the prints that
// follow. Works on the application's one printer and changes it only on OK.
class CPrintSetupDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPrintSetupDialog)

public:
    explicit CPrintSetupDialog(QPrinter& printer, QWidget* parent = nullptr);
    ~CPrintSetupDialog() override;

    // The entry of the printer list that prints into a PDF file.
    static QString PdfEntry();

    void accept() override;

private:
    void FillPaperSizes();

    QPrinter& m_printer;
    QComboBox* m_printerName{nullptr};
    QComboBox* m_paperSize{nullptr};
    QRadioButton* m_portrait{nullptr};
    QRadioButton* m_landscape{nullptr};
    // The paper sizes the list shows, in its order.
    QList<QPageSize> m_sizes;
};
