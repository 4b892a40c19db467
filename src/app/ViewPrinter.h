#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class CGraphDocument;
class QPrinter;
class QWidget;

// Printing, print preview and printer setup of the graph views. The application has one printer,
// so what the setup chose (printer, paper, orientation) holds for every later print and preview.
class CViewPrinter final : public QObject
{
public:
    // The application's printer; made on first use and gone with the application.
    static CViewPrinter& Instance();

    QPrinter& Printer() { return *m_printer; }

    // "Drucken...": the print dialog, then the one page. Without the dialog the page goes to the
    // printer chosen before; a PDF file is then asked for by name, so that no earlier file is
    // overwritten unasked. False when cancelled or when the printer could not be opened.
    bool Print(CGraphDocument& document, QWidget* parent, bool withDialog);
    // "Seitenansicht": the page in a preview window, from which it can be printed as well.
    void Preview(CGraphDocument& document, QWidget* parent);
    // "Druckereinrichtung...": printer, paper and orientation for the prints that follow.
    bool Setup(QWidget* parent);

    // Draws the document's graph as the printer's page, as the window draws it, into the print
    // rectangle: each x step measures the scaling's print size x in centimetres, each y step
    // print size y. The document then records the scaling the drawing used, as after a paint.
    // False when the printer cannot be opened (a PDF file that cannot be written).
    static bool PrintPage(QPrinter& printer, CGraphDocument& document);

    // Asks for the PDF file a print without the dialog goes to; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& suggestion)> askPdfFile;
    // Shows a failure to print.
    std::function<void(QWidget* parent, const QString& message)> showError;

private:
    explicit CViewPrinter(QObject* parent);
    // The page into the printer's PDF file, written atomically; false (and the user told) when
    // the file cannot be written.
    bool PrintToFile(QPrinter& printer, CGraphDocument& document, QWidget* parent);
    ~CViewPrinter() override;

    std::unique_ptr<QPrinter> m_printer;
};
