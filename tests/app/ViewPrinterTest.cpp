#include "PdfSupport.h"

#include "app/GraphDocument.h"
#include "app/ViewPrinter.h"
#include "dialogs/general/PrintSetupDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <ostream>

#include <gtest/gtest.h>

namespace {

// Prints straight to PDF files in a folder of the test's own.
class ViewPrinterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CViewPrinter& printer = CViewPrinter::Instance();
        m_askPdfFile = printer.askPdfFile;
        m_showError = printer.showError;
        printer.Printer().setOutputFormat(QPrinter::PdfFormat);
        printer.Printer().setPageSize(QPageSize{QPageSize::A3});
        printer.Printer().setPageOrientation(QPageLayout::Portrait);
        printer.askPdfFile = [this](QWidget*, const QString&) { return m_file; };
        printer.showError = [this](QWidget*, const QString& message) { m_errors.append(message); };
        m_file = m_folder.filePath(QStringLiteral("graph.pdf"));
    }

    void TearDown() override
    {
        CViewPrinter::Instance().askPdfFile = m_askPdfFile;
        CViewPrinter::Instance().showError = m_showError;
    }

    bool PrintDirect(CGraphDocument& document)
    {
        return CViewPrinter::Instance().Print(document, nullptr, false);
    }

    QTemporaryDir m_folder;
    QString m_file;
    QStringList m_errors;

private:
    decltype(CViewPrinter::askPdfFile) m_askPdfFile;
    decltype(CViewPrinter::showError) m_showError;
};

// Ticks and arrow heads keep their screen size on paper: the x ticks are vertical strokes 4 screen
// pixels (1/96 inch) long, the y ticks horizontal ones of 6, leaving out the bar of the y axis'
// arrow head, which has that length too and sits 4 pixels below the top of the frame.
int PaperDots(const SPdfPage& page, int screenPixels)
{
    return static_cast<int>(std::lround(screenPixels * (72.0 / page.pointsPerDot) / 96.0));
}

QList<int> XTicks(const SPdfPage& page)
{
    QList<int> ticks;
    for (const QLine& line : page.lines) {
        if (line.x1() == line.x2() && std::abs(line.y2() - line.y1()) == 2 * PaperDots(page, 2)) {
            ticks.append(line.x1());
        }
    }
    std::sort(ticks.begin(), ticks.end());
    return ticks;
}

QList<int> YTicks(const SPdfPage& page)
{
    QList<int> ticks;
    for (const QLine& line : page.lines) {
        if (line.y1() == line.y2() && std::abs(line.x2() - line.x1()) == 2 * PaperDots(page, 3) &&
            line.y1() != 40 + PaperDots(page, 4)) {
            ticks.append(line.y1());
        }
    }
    std::sort(ticks.begin(), ticks.end());
    return ticks;
}

double StepCentimetres(const SPdfPage& page, const QList<int>& ticks)
{
    return page.CentimetresOf(static_cast<double>(ticks.last() - ticks.first()) /
                              static_cast<double>(ticks.size() - 1));
}

struct SPrintSize
{
    double x;
    double y;
};

void PrintTo(const SPrintSize& size, std::ostream* out)
{
    *out << size.x << " cm by " << size.y << " cm";
}

class PrintSizeTest : public ViewPrinterTest, public ::testing::WithParamInterface<SPrintSize>
{
};

TEST_P(PrintSizeTest, EachStepMeasuresThePrintSizeOnPaper)
{
    const SPrintSize size = GetParam();
    CGraphDocument document;
    CScaling scaling = document.Model().GetScaling();
    scaling.SetPrintSize(size.x, size.y);
    document.Model().SetScaling(scaling);

    ASSERT_TRUE(PrintDirect(document));
    const SPdfPage page = ReadPdfPage(m_file);
    ASSERT_GT(page.pointsPerDot, 0.0);

    // The default graph runs from -5 to 5 in steps of 1 on both axes: eleven ticks each.
    const QList<int> x = XTicks(page);
    const QList<int> y = YTicks(page);
    ASSERT_EQ(x.size(), 11);
    ASSERT_EQ(y.size(), 11);
    // Printers measure paper in whole millimetres and ticks sit on whole dots: 0.5 % is the
    // error those two leave.
    EXPECT_NEAR(StepCentimetres(page, x), size.x, size.x * 0.005);
    EXPECT_NEAR(StepCentimetres(page, y), size.y, size.y * 0.005);
}

INSTANTIATE_TEST_SUITE_P(ViewPrinter, PrintSizeTest,
                         ::testing::Values(SPrintSize{1.0, 1.0}, SPrintSize{2.0, 2.0}, SPrintSize{2.0, 0.5},
                                           SPrintSize{1.5, 1.0}));

TEST_F(ViewPrinterTest, SetupChoosesThePaperOfLaterPrints)
{
    QPrinter& printer = CViewPrinter::Instance().Printer();
    {
        CPrintSetupDialog setup{printer};
        auto* name = setup.findChild<QComboBox*>(QStringLiteral("PrinterName"));
        auto* paper = setup.findChild<QComboBox*>(QStringLiteral("PaperSize"));
        ASSERT_TRUE(name && paper);
        name->setCurrentIndex(name->findText(CPrintSetupDialog::PdfEntry()));
        EXPECT_EQ(paper->currentText(), QPageSize{QPageSize::A3}.name()) << "opens with the printer's paper";
        paper->setCurrentIndex(paper->findText(QPageSize{QPageSize::A5}.name()));
        setup.findChild<QRadioButton*>(QStringLiteral("Landscape"))->click();
        setup.accept();
    }
    CGraphDocument document;
    ASSERT_TRUE(PrintDirect(document));
    const SPdfPage page = ReadPdfPage(m_file);
    // A5 across: 210 by 148 millimetres.
    EXPECT_NEAR(page.mediaBox.width(), 210.0 / 25.4 * 72.0, 1.0);
    EXPECT_NEAR(page.mediaBox.height(), 148.0 / 25.4 * 72.0, 1.0);

    // Cancelling the setup leaves the printer as it was.
    {
        CPrintSetupDialog setup{printer};
        auto* paper = setup.findChild<QComboBox*>(QStringLiteral("PaperSize"));
        EXPECT_EQ(paper->currentText(), QPageSize{QPageSize::A5}.name());
        paper->setCurrentIndex(paper->findText(QPageSize{QPageSize::A4}.name()));
        setup.findChild<QRadioButton*>(QStringLiteral("Portrait"))->click();
        setup.reject();
    }
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(ViewPrinterTest, PrintWithoutDialogAsksForThePdfFile)
{
    CGraphDocument document;
    document.SetTitle(QStringLiteral("Graph7"));
    QString suggested;
    CViewPrinter::Instance().askPdfFile = [&](QWidget*, const QString& suggestion) {
        suggested = suggestion;
        return QString{};
    };
    EXPECT_FALSE(PrintDirect(document)) << "cancelled";
    EXPECT_EQ(QFileInfo{suggested}.fileName(), QStringLiteral("Graph7.pdf"));
    EXPECT_FALSE(QFileInfo::exists(m_file));
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(ViewPrinterTest, AFileThatCannotBeWrittenIsReported)
{
    CGraphDocument document;
    m_file = m_folder.filePath(QStringLiteral("missing/graph.pdf"));
    EXPECT_FALSE(PrintDirect(document));
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors.first().contains(QStringLiteral("missing"))) << m_errors.first().toStdString();
    EXPECT_FALSE(document.IsModified());
}

TEST_F(ViewPrinterTest, PrintingRecordsTheAutomaticYRangeWithoutMarkingTheDocument)
{
    CGraphDocument document;
    CGraphFunction f;
    f.SetTerm("2*x");
    document.Model().SetFunctions({f});
    document.Model().SetModifiedFlag(false);

    ASSERT_TRUE(PrintDirect(document));
    double from{};
    double to{};
    double step{};
    document.Model().GetScaling().GetYRange(from, to, step);
    // 2*x sampled on -5..5 spans about -10..9.6; a page asks for 15 intervals, which gives steps of 2.
    EXPECT_DOUBLE_EQ(from, -10.0);
    EXPECT_DOUBLE_EQ(to, 10.0);
    EXPECT_DOUBLE_EQ(step, 2.0);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(ViewPrinterTest, PreviewShowsOnePage)
{
    CGraphDocument document;
    CGraphFunction f;
    f.SetTerm("k*x^2");
    f.SetUseFamilyConstant(1);
    f.SetRange(1.0, 3.0, 1.0);
    document.Model().SetFunctions({f});

    int pages{-1};
    bool previewFound{false};
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (preview) {
            previewFound = true;
            auto* widget = preview->findChild<QPrintPreviewWidget*>();
            pages = widget->pageCount();
            preview->reject();
        }
    });
    CViewPrinter::Instance().Preview(document, nullptr);
    ASSERT_TRUE(previewFound);
    EXPECT_EQ(pages, 1);
}

} // namespace
