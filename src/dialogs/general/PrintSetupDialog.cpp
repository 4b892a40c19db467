#include "dialogs/general/PrintSetupDialog.h"

#include "framework/CommandIds.h"
#include "framework/HelpWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Paper a PDF file can take; a real printer offers what its driver lists.
const QPageSize::PageSizeId kPdfSizes[] = {QPageSize::A3,    QPageSize::A4,        QPageSize::A5,
                                           QPageSize::B4,    QPageSize::B5,        QPageSize::Letter,
                                           QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid};

} // namespace

CPrintSetupDialog::CPrintSetupDialog(QPrinter& printer, QWidget* parent) : QDialog{parent}, m_printer{printer}
{
    setObjectName(QStringLiteral("PrintSetupDialog"));
    setWindowTitle(QStringLiteral("Druckereinrichtung"));
    setProperty(kHelpContextProperty, kHelpCommandBase + ID_FILE_PRINT_SETUP);

    m_printerName = new QComboBox{this};
    m_printerName->setObjectName(QStringLiteral("PrinterName"));
    m_printerName->addItems(QPrinterInfo::availablePrinterNames());
    m_printerName->addItem(PdfEntry());
    const int current = printer.outputFormat() == QPrinter::PdfFormat
                            ? m_printerName->count() - 1
                            : m_printerName->findText(printer.printerName());
    m_printerName->setCurrentIndex(current < 0 ? m_printerName->count() - 1 : current);

    m_paperSize = new QComboBox{this};
    m_paperSize->setObjectName(QStringLiteral("PaperSize"));
    m_portrait = new QRadioButton{QStringLiteral("&Hochformat"), this};
    m_portrait->setObjectName(QStringLiteral("Portrait"));
    m_landscape = new QRadioButton{QStringLiteral("&Querformat"), this};
    m_landscape->setObjectName(QStringLiteral("Landscape"));
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)
        ->setChecked(true);
    FillPaperSizes();

    auto* printerGroup = new QGroupBox{QStringLiteral("Drucker"), this};
    auto* printerForm = new QFormLayout{printerGroup};
    printerForm->addRow(QStringLiteral("&Name:"), m_printerName);

    auto* paperGroup = new QGroupBox{QStringLiteral("Papier"), this};
    auto* paperForm = new QFormLayout{paperGroup};
    paperForm->addRow(QStringLiteral("&Größe:"), m_paperSize);

    auto* orientationGroup = new QGroupBox{QStringLiteral("Orientierung"), this};
    auto* orientation = new QVBoxLayout{orientationGroup};
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);

    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(paperGroup, 2);
    paperRow->addWidget(orientationGroup, 1);

    auto* buttons = new QDialogButtonBox{QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this};
    connect(buttons, &QDialogButtonBox::accepted, this, &CPrintSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPrintSetupDialog::reject);

    auto* layout = new QVBoxLayout{this};
    layout->addWidget(printerGroup);
    layout->addLayout(paperRow);
    layout->addWidget(buttons);

    connect(m_printerName, &QComboBox::currentIndexChanged, this, &CPrintSetupDialog::FillPaperSizes);
}

CPrintSetupDialog::~CPrintSetupDialog() = default;

QString CPrintSetupDialog::PdfEntry()
{
    return QStringLiteral("PDF-Datei");
}

void CPrintSetupDialog::FillPaperSizes()
{
    // Keep the paper chosen so far when the new printer has it too.
    const int chosen = m_paperSize->currentIndex();
    const QPageSize wanted =
        chosen >= 0 && chosen < m_sizes.size() ? m_sizes[chosen] : m_printer.pageLayout().pageSize();
    m_sizes.clear();
    if (m_printerName->currentText() != PdfEntry()) {
        m_sizes = QPrinterInfo::printerInfo(m_printerName->currentText()).supportedPageSizes();
    }
    if (m_sizes.isEmpty()) {
        for (QPageSize::PageSizeId id : kPdfSizes) {
            m_sizes.append(QPageSize{id});
        }
    }
    m_paperSize->clear();
    int index{-1};
    int a4{0};
    for (qsizetype i = 0; i < m_sizes.size(); ++i) {
        m_paperSize->addItem(m_sizes[i].name());
        if (index < 0 && m_sizes[i].isEquivalentTo(wanted)) {
            index = static_cast<int>(i);
        }
        if (m_sizes[i].id() == QPageSize::A4) {
            a4 = static_cast<int>(i);
        }
    }
    m_paperSize->setCurrentIndex(index >= 0 ? index : a4);
}

void CPrintSetupDialog::accept()
{
    if (m_printerName->currentText() == PdfEntry()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setPrinterName(m_printerName->currentText());
    }
    const int paper = m_paperSize->currentIndex();
    if (paper >= 0 && paper < m_sizes.size()) {
        m_printer.setPageSize(m_sizes[paper]);
    }
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}
