#include "app/ViewPrinter.h"

#include "app/GraphDocument.h"
#include "app/SliderFocus.h"
#include "dialogs/general/PrintSetupDialog.h"
#include "document/SystemErrorText.h"
#include "framework/CommandIds.h"
#include "framework/CurveSamplers.h"
#include "framework/FileName.h"
#include "framework/GraphOutput.h"
#include "framework/HelpWindow.h"
#include "framework/PainterContext.h"
#include "framework/Resources.h"
#include "framework/ShownNumbers.h"
#include "framework/WaitCursor.h"
#include "view/GraphPaint.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

QString AskPdfFile(QWidget* parent, const QString& suggestion)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Drucken in Datei"), suggestion,
                                        QStringLiteral("PDF-Dateien (*.pdf)"));
}

void ShowPrintError(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, LoadString(IDS_APP_TITLE), message);
}

// Pages are laid out at this many dots per inch whatever the printer. Ticks, arrow heads and
// pens are a few device units long, so at the full resolution of a modern printer they would
// all but vanish; at 300 they read well and a curve still gets a sample every 0.08 mm.
constexpr int kPrintDotsPerInch = 300;

void PreparePrinter(QPrinter& printer, const CGraphDocument& document)
{
    printer.setDocName(document.GetTitle());
    printer.setResolution(kPrintDotsPerInch);
    printer.setFromTo(0, 0);
}

QString PdfSuggestion(const CGraphDocument& document)
{
    return QDir::home().filePath(document.GetTitle().section(QLatin1Char('.'), 0, 0) +
                                 QStringLiteral(".pdf"));
}

} // namespace

CViewPrinter& CViewPrinter::Instance()
{
    static QPointer<CViewPrinter> instance;
    if (!instance) {
        instance = new CViewPrinter{qApp};
    }
    return *instance;
}

CViewPrinter::CViewPrinter(QObject* parent)
    : QObject{parent}, askPdfFile{AskPdfFile}, showError{ShowPrintError}, m_printer{
                                                                              std::make_unique<QPrinter>(
                                                                                  QPrinter::HighResolution)}
{
    // Without any printer the pages go into PDF files, on the paper of this country.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setPageSize(QPageSize{QPageSize::A4});
    }
}

CViewPrinter::~CViewPrinter() = default;

bool CViewPrinter::PrintPage(QPrinter& printer, CGraphDocument& document)
{
    CWaitCursor wait;
    CZelDoc& model = document.Model();
    const CScaling stored = model.GetScaling();
    CScaling drawn;
    {
        QPainter painter;
        if (!painter.begin(&printer)) {
            return false;
        }
        CPainterContext dc{painter, static_cast<double>(printer.resolution())};
        drawn = PaintGraph(dc, PrintRectangleOn(printer, stored), model.Functions(), model.Objects(), stored,
                           nullptr, nullptr, ShownDecimalSeparator(), SliderFocus(model), model.Derived(),
                           CurveSamplers(), model.Areas());
    }
    // Ranges widened for equal units on paper are the paper's: the window widens its own.
    if (!stored.GetEqualUnits()) {
        document.RecordDrawnScaling(drawn);
    }
    return true;
}

bool CViewPrinter::Print(CGraphDocument& document, QWidget* parent, bool withDialog)
{
    QPrinter& printer = *m_printer;
    PreparePrinter(printer, document);
    if (withDialog) {
        if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
            printer.setOutputFileName(PdfSuggestion(document));
        }
        QPrintDialog dialog{&printer, parent};
        dialog.setWindowTitle(QStringLiteral("Drucken"));
        dialog.setProperty(kHelpContextProperty, kHelpCommandBase + ID_FILE_PRINT);
        // The graph is always one page.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies |
                          QAbstractPrintDialog::PrintShowPageSize);
        dialog.setMinMax(1, 1);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
    } else if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = askPdfFile(parent, PdfSuggestion(document));
        if (file.isEmpty()) {
            return false;
        }
        printer.setOutputFileName(file);
    }
    // The dialog may have chosen another printer; the layout stays the same on every one.
    printer.setResolution(kPrintDotsPerInch);
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        return PrintToFile(printer, document, parent);
    }
    if (!PrintPage(printer, document)) {
        showError(parent,
                  QStringLiteral("Der Drucker %1 konnte nicht geöffnet werden.").arg(printer.printerName()));
        return false;
    }
    return true;
}

bool CViewPrinter::PrintToFile(QPrinter& printer, CGraphDocument& document, QWidget* parent)
{
    // The page goes through the graph output, which writes the file atomically: a printer would
    // write it in place, and a failure half-way would leave a broken file where a good one was.
    CWaitCursor wait;
    const CZelDoc& model = document.Model();
    const CScaling stored = model.GetScaling();
    CGraphOutput output{model.Functions(), model.Objects(), stored};
    output.SetDerivedCurves(model.Derived());
    output.SetDecimalSeparator(ShownDecimalSeparator());
    output.SetAreas(model.Areas());
    output.SetTitle(document.GetTitle());
    output.SetPdfPage(printer.pageLayout(), kPrintDotsPerInch);
    int code = 0;
    if (!output.WriteFile(EGraphFormat::Pdf, {}, printer.outputFileName(), code)) {
        const QString file = DisplayFileName(QDir::toNativeSeparators(printer.outputFileName()));
        showError(parent, code != 0
                              ? QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: %2.")
                                    .arg(file, QString::fromStdString(SystemErrorText(code)))
                              : QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(file));
        return false;
    }
    if (!stored.GetEqualUnits()) {
        document.RecordDrawnScaling(output.DrawnScaling());
    }
    return true;
}

void CViewPrinter::Preview(CGraphDocument& document, QWidget* parent)
{
    QPrinter& printer = *m_printer;
    PreparePrinter(printer, document);
    QPrintPreviewDialog preview{&printer, parent};
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(QStringLiteral("Seitenansicht - %1").arg(document.GetTitle()));
    preview.setProperty(kHelpContextProperty, kHelpCommandBase + ID_FILE_PRINT_PREVIEW);
    QPointer<CGraphDocument> guarded{&document};
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [guarded](QPrinter* target) {
        if (guarded) {
            PrintPage(*target, *guarded);
        }
    });
    if (parent) {
        preview.resize(parent->window()->size() * 9 / 10);
    }
    preview.exec();
}

bool CViewPrinter::Setup(QWidget* parent)
{
    CPrintSetupDialog dialog{*m_printer, parent};
    return dialog.exec() == QDialog::Accepted;
}
