#include "dialogs/values/ValuesDialog.h"

#include "analysis/AdoptedPoints.h"
#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/AntiderivativeDiscussion.h"
#include "analysis/DiscussedCurves.h"
#include "analysis/FamilyCutNote.h"
#include "analysis/Tangent.h"
#include "dialogs/values/ResultListModel.h"
#include "dialogs/values/TabStopDelegate.h"
#include "document/FunctionPalette.h"
#include "document/SliderState.h"
#include "engine/NumberText.h"
#include "engine/TextEncoding.h"
#include "framework/CurveSamplers.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/MessageBoxes.h"
#include "framework/NumberField.h"
#include "framework/SettingsStore.h"
#include "framework/ShownNumbers.h"
#include "view/GraphPaint.h"
#include "framework/WaitCursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

const QString kComputeText = QStringLiteral("&Berechnen");
const QString kStopText = QStringLiteral("S&topp");

// A list box with tab stops places them 32 dialog units apart until it is told otherwise.
constexpr int kDefaultTabStopUnits = 32;

// One dialog unit of the font the dialog was laid out for is 1.5 pixels wide (base unit 6).
constexpr qreal kReferencePixelsPerUnit = 1.5;

// Dialog 147 is 304 by 194 dialog units; its buttons are 50 wide.
constexpr int kDialogWidthUnits = 304;
constexpr int kDialogHeightUnits = 194;
constexpr int kButtonWidthUnits = 50;

std::string ListCutLine()
{
    return Utf8ToCp1252("Die Liste endet hier: sie fasst höchstens " +
                        std::to_string(CValuesDialog::kMaxResultLines) + " Zeilen.");
}

// The last line of a run that did not end by itself, or nothing.
std::optional<std::string> EndLine(CAnalysisRunner::EEnd end)
{
    switch (end) {
    case CAnalysisRunner::EEnd::Completed:
        return std::nullopt;
    case CAnalysisRunner::EEnd::ListFull:
        return ListCutLine();
    case CAnalysisRunner::EEnd::Stopped:
        return "Die Berechnung wurde abgebrochen.";
    case CAnalysisRunner::EEnd::OutOfMemory:
        return "Die Berechnung wurde abgebrochen: nicht genug Speicher.";
    case CAnalysisRunner::EEnd::Failed:
        return "Die Berechnung wurde abgebrochen: ein unerwarteter Fehler ist aufgetreten.";
    }
    return std::nullopt;
}

QString FromRecord(const std::string& bytes)
{
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// "g(x)=<term>", a function as the lists of the dialog name it.
QString FunctionEntry(const CFunctionList& functions, std::size_t index)
{
    return FromRecord(FunctionHead(functions, index)) + QStringLiteral("(x)=") +
           FromRecord(functions[index].GetTerm());
}

} // namespace

CValuesDialog::CValuesDialog(CFunctionList functions, CScaling scaling, int analysis, QWidget* parent)
    : QDialog{parent}, m_functions{std::move(functions)}, m_scaling{std::move(scaling)}, m_analysis{analysis}
{
    // Each copy carries the name the list gives it, so that the lines of its discussion and the
    // lines adopted from it call it so.
    for (std::size_t i = 0; i < m_functions.size(); ++i) {
        m_functions[i].SetName(FunctionName(m_functions, i));
    }
    SetHelpPage(this, "diskussion.html#werte");
    setObjectName(DialogName(IDD_VALUES));
    setWindowTitle(QStringLiteral("Werte"));
    BuildControls();
    m_runner = new CAnalysisRunner{kMaxResultLines, this};
    connect(m_runner, &CAnalysisRunner::Arrived, this, &CValuesDialog::OnArrived);
    connect(m_runner, &CAnalysisRunner::Finished, this, &CValuesDialog::OnRunFinished);

    for (std::size_t i = 0; i < m_functions.size(); ++i) {
        m_functionBox->addItem(FunctionEntry(m_functions, i));
    }
    m_functionBox->setCurrentIndex(m_functions.empty() ? -1 : 0);
    // "keine" first, for an integral of f alone; the intersections start with the second function.
    m_withBox->addItem(QStringLiteral("keine"));
    for (std::size_t i = 0; i < m_functions.size(); ++i) {
        m_withBox->addItem(FunctionEntry(m_functions, i));
    }
    m_withBox->setCurrentIndex(m_functions.size() > 1 ? 2 : 0);
    double xFrom{};
    double xTo{};
    double xStep{};
    m_scaling.GetXRange(xFrom, xTo, xStep);
    m_atField->SetValue(0.0);
    m_fromField->SetValue(xFrom);
    m_toField->SetValue(xTo);
    m_analysisBox->setCurrentIndex(m_analysis >= 0 && m_analysis < m_analysisBox->count() ? m_analysis : -1);
    ShowInputsOf(m_analysisBox->currentIndex());
    m_lines->Clear();
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_functionBox->setFocus();
}

CValuesDialog::~CValuesDialog()
{
    // Ends a run while the list is still there to take its last lines, and gives the cursor back.
    m_runner->StopAndWait();
}

void CValuesDialog::SetFamilyMember(std::size_t function, double k)
{
    if (function >= m_functions.size()) {
        return;
    }
    m_wholeFamily.emplace(function, m_functions[function]);
    m_functions[function].SetRange(k, k, 0);
    const QString forK = QStringLiteral("   für k = ") + QString::fromStdString(FormatNumber(k));
    const QString text = m_functionBox->itemText(static_cast<int>(function)) + forK;
    m_functionBox->setItemText(static_cast<int>(function), text);
    m_withBox->setItemText(static_cast<int>(function) + 1, text);
    // The derivatives of the member are discussed at its k as well.
    for (std::size_t d = 0; d < m_derivedFunctions.size(); ++d) {
        if (m_derivedSources[d] == function) {
            m_derivedFunctions[d].SetRange(k, k, 0);
            const int item = static_cast<int>(m_functions.size() + d);
            m_functionBox->setItemText(item, m_functionBox->itemText(item) + forK);
        }
    }
}

void CValuesDialog::SetGraphDerived(CDerivedList derived)
{
    m_derived = std::move(derived);
    for (SDiscussedCurve& offered : DiscussedCurves(m_functions, m_derived)) {
        const std::size_t source = offered.source;
        m_functionBox->addItem(FromRecord(DerivedCurveHead(m_functions, m_derived[offered.curve]) + "(x)   aus " +
                                          FunctionHead(m_functions, source) + "(x)=" +
                                          m_functions[source].GetTerm()));
        m_derivedFunctions.push_back(std::move(offered.function));
        m_derivedSources.push_back(source);
        m_derivedStarts.push_back(offered.start);
    }
}

std::optional<std::pair<double, double>> CValuesDialog::AntiderivativeStart(std::size_t index) const
{
    return index >= m_functions.size() && index - m_functions.size() < m_derivedStarts.size()
               ? m_derivedStarts[index - m_functions.size()]
               : std::nullopt;
}

const CGraphFunction& CValuesDialog::Chosen(std::size_t index) const
{
    return index < m_functions.size() ? m_functions[index] : m_derivedFunctions[index - m_functions.size()];
}

void CValuesDialog::BuildControls()
{
    const qreal unitX = PixelsPerDialogUnit();
    const qreal unitY = QFontMetricsF{font()}.height() / 8.0;

    auto* selection = new QGroupBox{QStringLiteral("Auswahl"), this};
    auto* functionLabel = new QLabel{QStringLiteral("&Funktion:"), selection};
    m_functionBox = new QComboBox{selection};
    m_functionBox->setObjectName(ControlName(IDC_FUNCTION_CHOICE));
    functionLabel->setBuddy(m_functionBox);
    auto* analysisLabel = new QLabel{QStringLiteral("&Werte:"), selection};
    m_analysisBox = new QComboBox{selection};
    m_analysisBox->setObjectName(ControlName(IDC_ANALYSIS));
    for (const SAnalysis& analysis : Analyses()) {
        m_analysisBox->addItem(QString::fromUtf8(analysis.name));
    }
    analysisLabel->setBuddy(m_analysisBox);
    m_exact = new QCheckBox{QStringLiteral("&Genaue Werte"), selection};
    m_exact->setObjectName(kIdExactResults);
    m_exact->setChecked(CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"),
                                                                 QStringLiteral("ExactResults"), 1) != 0);
    // Kept at once, so that the next dialog and the next start of the program show what was last chosen.
    connect(m_exact, &QCheckBox::toggled, this, [](bool on) {
        CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("ExactResults"),
                                                   on ? 1 : 0);
    });
    m_withLabel = new QLabel{QStringLiteral("&mit Funktion:"), selection};
    m_withBox = new QComboBox{selection};
    m_withBox->setObjectName(kIdSecondFunction);
    m_withLabel->setBuddy(m_withBox);
    m_atLabel = new QLabel{QStringLiteral("an der Stelle &x0:"), selection};
    m_atField = new CNumberField{selection};
    m_atField->setObjectName(kIdTangentPlace);
    m_atLabel->setBuddy(m_atField);
    m_fromLabel = new QLabel{QStringLiteral("v&on:"), selection};
    m_fromField = new CNumberField{selection};
    m_fromField->setObjectName(kIdIntegralFrom);
    m_fromLabel->setBuddy(m_fromField);
    m_toLabel = new QLabel{QStringLiteral("b&is:"), selection};
    m_toField = new CNumberField{selection};
    m_toField->setObjectName(kIdIntegralTo);
    m_toLabel->setBuddy(m_toField);
    connect(m_analysisBox, &QComboBox::currentIndexChanged, this, &CValuesDialog::ShowInputsOf);
    connect(m_functionBox, &QComboBox::currentIndexChanged, this,
            [this] { ShowInputsOf(m_analysisBox->currentIndex()); });
    for (QComboBox* box : {m_functionBox, m_analysisBox, m_withBox}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(12);
    }
    auto* selectionLayout = new QGridLayout{selection};
    selectionLayout->addWidget(functionLabel, 0, 0);
    selectionLayout->addWidget(m_functionBox, 0, 1);
    selectionLayout->addWidget(analysisLabel, 1, 0);
    selectionLayout->addWidget(m_analysisBox, 1, 1);
    selectionLayout->addWidget(m_withLabel, 2, 0);
    selectionLayout->addWidget(m_withBox, 2, 1);
    selectionLayout->addWidget(m_atLabel, 3, 0);
    selectionLayout->addWidget(m_atField, 3, 1);
    // The limits share a row, as a reader says them: von a bis b.
    auto* limits = new QHBoxLayout;
    limits->addWidget(m_fromField, 1);
    limits->addWidget(m_toLabel);
    limits->addWidget(m_toField, 1);
    selectionLayout->addWidget(m_fromLabel, 4, 0);
    selectionLayout->addLayout(limits, 4, 1);
    selectionLayout->addWidget(m_exact, 5, 1);
    selectionLayout->setColumnStretch(1, 1);

    auto* computation = new QGroupBox{QStringLiteral("Berechnung"), this};
    m_list = new QListView{computation};
    m_list->setObjectName(ControlName(IDC_RESULTS));
    m_lines = new CResultListModel{m_list};
    m_list->setModel(m_lines);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setMinimumSize(qRound(214 * unitX), qRound(80 * unitY));
    m_delegate = new CTabStopDelegate{kDefaultTabStopUnits * unitX, m_list};
    m_list->setItemDelegate(m_delegate);
    m_progress = new QProgressBar{computation};
    m_progress->setObjectName(ControlName(IDC_PROGRESS));
    m_progress->setTextVisible(false);
    auto* computationLayout = new QVBoxLayout{computation};
    computationLayout->addWidget(m_list, 1);
    computationLayout->addWidget(m_progress);

    m_compute = new QPushButton{kComputeText, this};
    m_compute->setObjectName(ControlName(IDC_COMPUTE));
    m_compute->setDefault(true);
    m_copy = new QPushButton{QStringLiteral("&Kopieren"), this};
    m_copy->setObjectName(ControlName(IDC_COPY_RESULTS));
    m_print = new QPushButton{QStringLiteral("&Drucken..."), this};
    m_print->setObjectName(kIdPrintResults);
    m_close = new QPushButton{QStringLiteral("&Schließen"), this};
    m_close->setObjectName(kIdOk);
    m_help = new QPushButton{QStringLiteral("&Hilfe"), this};
    m_help->setObjectName(kIdHelp);
    m_adopt = new QPushButton{QStringLiteral("Als &Punkte übernehmen"), this};
    m_adopt->setObjectName(kIdAdoptPoints);
    m_adopt->setEnabled(false);
    m_adoptTangent = new QPushButton{QStringLiteral("&Tangente übernehmen"), this};
    m_adoptTangent->setObjectName(kIdAdoptTangent);
    m_adoptTangent->setEnabled(false);
    m_adoptNormal = new QPushButton{QStringLiteral("&Normale übernehmen"), this};
    m_adoptNormal->setObjectName(kIdAdoptNormal);
    m_adoptNormal->setEnabled(false);
    m_keepArea = new QPushButton{QStringLiteral("F&läche behalten"), this};
    m_keepArea->setObjectName(kIdKeepArea);
    m_keepArea->setEnabled(false);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button :
         {m_compute, m_copy, m_print, m_close, m_help, m_adopt, m_adoptTangent, m_adoptNormal, m_keepArea}) {
        // The longer captions of the adopt buttons are shown whole.
        button->setMinimumWidth(std::max(qRound(kButtonWidthUnits * unitX), button->sizeHint().width()));
        buttons->addWidget(button);
    }
    buttons->addStretch(1);

    connect(m_compute, &QPushButton::clicked, this, &CValuesDialog::OnCompute);
    connect(m_copy, &QPushButton::clicked, this, &CValuesDialog::OnCopy);
    connect(m_print, &QPushButton::clicked, this, &CValuesDialog::OnPrint);
    connect(m_close, &QPushButton::clicked, this, &CValuesDialog::accept);
    connect(m_help, &QPushButton::clicked, this, &CValuesDialog::OnHelp);
    connect(m_adopt, &QPushButton::clicked, this, &CValuesDialog::OnAdoptPoints);
    connect(m_adoptTangent, &QPushButton::clicked, this, [this] { OnAdoptTangent(false); });
    connect(m_adoptNormal, &QPushButton::clicked, this, [this] { OnAdoptTangent(true); });
    connect(m_keepArea, &QPushButton::clicked, this, &CValuesDialog::OnKeepArea);

    auto* left = new QVBoxLayout;
    left->addWidget(selection);
    left->addWidget(computation, 1);
    auto* layout = new QHBoxLayout{this};
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    setTabOrder(m_functionBox, m_analysisBox);
    setTabOrder(m_analysisBox, m_withBox);
    setTabOrder(m_withBox, m_atField);
    setTabOrder(m_atField, m_fromField);
    setTabOrder(m_fromField, m_toField);
    setTabOrder(m_toField, m_exact);
    setTabOrder(m_exact, m_list);
    setTabOrder(m_list, m_compute);
    setTabOrder(m_compute, m_copy);
    setTabOrder(m_copy, m_print);
    setTabOrder(m_print, m_close);
    setTabOrder(m_close, m_help);
    setTabOrder(m_help, m_adopt);
    setTabOrder(m_adopt, m_adoptTangent);
    setTabOrder(m_adoptTangent, m_adoptNormal);
    setTabOrder(m_adoptNormal, m_keepArea);

    const QSize designed{qRound(kDialogWidthUnits * unitX), qRound(kDialogHeightUnits * unitY)};
    resize(designed.expandedTo(minimumSizeHint()));
}

qreal CValuesDialog::PixelsPerDialogUnit() const
{
    // A dialog's horizontal base unit is the rounded mean width of the 52 letters; a dialog unit
    // is a quarter of it.
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const qreal base = std::round(QFontMetricsF{font()}.horizontalAdvance(letters) / letters.size());
    return std::max<qreal>(base, 1.0) / 4.0;
}

qreal CValuesDialog::ValueTableTabDistance(int listWidth, int columns, qreal pixelsPerDialogUnit)
{
    if (pixelsPerDialogUnit <= 0) {
        pixelsPerDialogUnit = kReferencePixelsPerUnit;
    }
    const int referenceWidth = static_cast<int>(listWidth * kReferencePixelsPerUnit / pixelsPerDialogUnit);
    const int divisor = columns > 4 ? 6 : 5;
    // A list too narrow for the rule still gets stops that move forward.
    const int units = std::max(referenceWidth / divisor - 15, 1);
    return units * pixelsPerDialogUnit;
}

QStringList CValuesDialog::ResultLines() const
{
    QStringList lines;
    lines.reserve(m_lines->LineCount());
    for (int i = 0; i < m_lines->LineCount(); ++i) {
        lines << m_lines->Line(i);
    }
    return lines;
}

void CValuesDialog::SetControlsEnabled(bool enabled)
{
    // The compute button (as the stop button) and "Schließen" stay usable during a run.
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_functionBox, m_analysisBox, m_exact, m_copy, m_help, m_withBox,
                                         m_atField, m_fromField, m_toField}) {
        control->setEnabled(enabled);
    }
    m_adopt->setEnabled(enabled && m_pointsToAdopt);
    m_adoptTangent->setEnabled(enabled && m_tangentShown.has_value());
    m_adoptNormal->setEnabled(enabled && m_tangentShown.has_value());
    m_keepArea->setEnabled(enabled && CanKeepArea());
}

void CValuesDialog::UpdateAdoptButton()
{
    m_pointsToAdopt = HasPoints(m_results);
    m_adopt->setEnabled(m_pointsToAdopt);
}

void CValuesDialog::OnAdoptPoints()
{
    if (IsRunning() || !m_pointsToAdopt) {
        return;
    }
    const CObjectList points = PointObjects(m_results);
    m_adopted.insert(m_adopted.end(), points.begin(), points.end());
    // The same list twice would put every point on the graph twice.
    m_pointsToAdopt = false;
    m_adopt->setEnabled(false);
    emit adopted(CFunctionList{}, points, QStringLiteral("Punkte übernehmen"));
}

void CValuesDialog::ShowInputsOf(int analysis)
{
    const SAnalysis* row = AnalysisAt(analysis);
    const SInputUse inputs = row ? row->inputs : SInputUse{};
    const auto shown = [](EInputUse use) { return use != EInputUse::Unused; };
    for (QWidget* widget : std::initializer_list<QWidget*>{m_withLabel, m_withBox}) {
        widget->setVisible(shown(inputs.with));
    }
    for (QWidget* widget : std::initializer_list<QWidget*>{m_atLabel, m_atField}) {
        widget->setVisible(shown(inputs.at));
    }
    for (QWidget* widget : std::initializer_list<QWidget*>{m_fromLabel, m_fromField}) {
        widget->setVisible(shown(inputs.from));
    }
    for (QWidget* widget : std::initializer_list<QWidget*>{m_toLabel, m_toField}) {
        widget->setVisible(shown(inputs.to));
    }
    const bool ownInputs = row && row->TakesInputs();
    const int function = m_functionBox->currentIndex();
    // Their results are always the refined points, and so are F's, which has no raster scan.
    m_exact->setVisible(!ownInputs && !(function >= 0 && AntiderivativeStart(static_cast<std::size_t>(function))));
    // F1 explains what the chosen analysis computes, for those with inputs of their own; the
    // others share the page of the dialog.
    SetHelpPage(this, ownInputs ? row->helpPage : "diskussion.html#werte");
}

bool CValuesDialog::ReadInputs(int analysis, SAnalysisInputs& inputs)
{
    const SAnalysis* row = AnalysisAt(analysis);
    if (row == nullptr) {
        return true;
    }
    if (row->inputs.with != EInputUse::Unused) {
        const int second = m_withBox->currentIndex() - 1;
        if (second >= 0 && static_cast<std::size_t>(second) < m_functions.size()) {
            inputs.with = &m_functions[static_cast<std::size_t>(second)];
            inputs.withItself = second == m_functionBox->currentIndex();
        } else if (row->inputs.with == EInputUse::Required) {
            ShowMessage(this, QStringLiteral("Wählen Sie unter \"mit Funktion\" die zweite Funktion."));
            m_withBox->setFocus();
            return false;
        }
    }
    // A field shows its value always, so a limit the analysis may do without is read all the same.
    const auto read = [](EInputUse use, CNumberField* field, auto& into) {
        if (use == EInputUse::Unused) {
            return true;
        }
        double value{};
        if (!field->Read(value)) {
            return false;
        }
        into = value;
        return true;
    };
    return read(row->inputs.at, m_atField, inputs.at) && read(row->inputs.from, m_fromField, inputs.from) &&
           read(row->inputs.to, m_toField, inputs.to);
}

void CValuesDialog::SetShownArea(std::optional<SShownArea> area)
{
    if (!area && !m_shownArea) {
        return;
    }
    m_shownArea = std::move(area);
    m_areaKept = false;
    m_keepArea->setEnabled(CanKeepArea() && !IsRunning());
    emit shownAreaChanged();
}

bool CValuesDialog::CanKeepArea() const
{
    // Between a function and itself there is nothing to shade.
    return m_shownArea && !m_areaKept && m_shownArea->withIndex != m_shownArea->functionIndex;
}

void CValuesDialog::OnKeepArea()
{
    if (IsRunning() || !CanKeepArea()) {
        return;
    }
    const SShownArea& shown = *m_shownArea;
    m_areaKept = true;
    m_keepArea->setEnabled(false);
    emit areaKept(CKeptArea{shown.functionIndex, shown.withIndex, std::min(shown.from, shown.to),
                            std::max(shown.from, shown.to), shown.function.GetColor()});
}

void CValuesDialog::OnAdoptTangent(bool normal)
{
    if (IsRunning() || !m_tangentShown) {
        return;
    }
    SAdoptedLines lines = AdoptTangentLines(*m_tangentShown, m_results, normal);
    // A line in f's own colour would be taken for a piece of f.
    for (std::size_t i = 0; i < lines.functions.size(); ++i) {
        CFunctionList taken = m_functions;
        taken.insert(taken.end(), m_adoptedFunctions.begin(), m_adoptedFunctions.end());
        taken.insert(taken.end(), lines.functions.begin(),
                     lines.functions.begin() + static_cast<std::ptrdiff_t>(i));
        lines.functions[i].SetColor(NextPaletteColor(taken));
        // Its own name: at the end of the list it would take the automatic name of its place,
        // which a function with a name of its own may already show.
        lines.functions[i].SetName(NextFreeFunctionName(taken));
    }
    m_adoptedFunctions.insert(m_adoptedFunctions.end(), lines.functions.begin(), lines.functions.end());
    m_adopted.insert(m_adopted.end(), lines.lines.begin(), lines.lines.end());
    // Once each: the same line twice would only lie on itself.
    (normal ? m_adoptNormal : m_adoptTangent)->setEnabled(false);
    emit adopted(lines.functions, lines.lines,
                 normal ? QStringLiteral("Normale übernehmen") : QStringLiteral("Tangente übernehmen"));
}

void CValuesDialog::OnCompute()
{
    if (IsRunning()) {
        m_runner->Stop();
        return;
    }
    const int chosen = m_analysisBox->currentIndex();
    SAnalysisInputs inputs;
    // F takes no inputs: what would need them says that it is not available for F.
    const bool antiderivative =
        m_functionBox->currentIndex() >= 0 &&
        AntiderivativeStart(static_cast<std::size_t>(m_functionBox->currentIndex())).has_value();
    if (chosen >= 0 && !antiderivative && !ReadInputs(chosen, inputs)) {
        return;
    }
    m_lines->Clear();
    m_results.clear();
    m_pointsToAdopt = false;
    m_tangentShown.reset();
    SetShownArea(std::nullopt);
    m_progress->setValue(0);
    const int functionIndex = m_functionBox->currentIndex();
    const int analysis = m_analysisBox->currentIndex();
    if (functionIndex < 0 || static_cast<std::size_t>(functionIndex) >= ChoiceCount() ||
        AnalysisAt(analysis) == nullptr) {
        UpdateAdoptButton();
        return;
    }
    // Disabling the focused control moves the focus away; it comes back when the run is over.
    m_focusBeforeRun = QApplication::focusWidget();
    RunScan(static_cast<std::size_t>(functionIndex), analysis, inputs);
}

// The scan runs on a thread of its own while the window stays alive: it repaints, the list fills
// and the progress bar moves. The selection stays locked until the run is over; the compute
// button turns into a stop button, and Escape or closing the window stops the run as well.
void CValuesDialog::RunScan(std::size_t functionIndex, int analysis, const SAnalysisInputs& inputs)
{
    const int precision =
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3);
    SDiscussOptions options;
    options.exact = m_exact->isChecked();
    m_runFunction = functionIndex;
    m_runAnalysis = analysis;
    m_runInputs = inputs;
    // The worker reads its own copy of the second function, not the dialog's list.
    std::optional<CGraphFunction> with;
    if (inputs.with != nullptr) {
        with = *inputs.with;
    }
    const ScanFunction scan = m_scan;
    CAnalysisRunner::Job job = [scan, function = RunFunction(functionIndex, analysis), scaling = m_scaling, analysis,
                                precision, options, inputs, with,
                                start = AntiderivativeStart(functionIndex)](IAnalysisSink& sink) {
        const auto kind = static_cast<EAnalysis>(analysis);
        if (scan) {
            scan(kind, function, scaling, precision, options, sink);
        } else if (start) {
            RunAntiderivativeAnalysis(kind, function, start->first, start->second, scaling, precision, options,
                                      sink);
        } else {
            SAnalysisInputs own = inputs;
            own.with = with ? &*with : nullptr;
            RunAnalysis(kind, function, scaling, precision, options, own, sink);
        }
        if (!sink.Stopped()) {
            if (const std::optional<SAnalysisResult> note = FamilyCutResult(function)) {
                sink.Add(*note);
            }
        }
    };
    QApplication::setOverrideCursor(Qt::BusyCursor);
    SetControlsEnabled(false);
    m_compute->setText(kStopText);
    m_runner->SetDecimalSeparator(ShownDecimalSeparator());
    m_runner->Start(std::move(job));
}

void CValuesDialog::OnArrived(const std::vector<std::string>& lines,
                              const std::vector<SAnalysisResult>& results, int progress, int columns)
{
    m_results.insert(m_results.end(), results.begin(), results.end());
    if (columns != 0) {
        ApplyTableColumns(columns);
    }
    m_lines->Append(lines);
    m_progress->setValue(std::clamp(progress, 0, 100));
}

void CValuesDialog::OnRunFinished(CAnalysisRunner::EEnd end)
{
    if (const std::optional<std::string> line = EndLine(end)) {
        m_lines->Append({*line});
        m_list->scrollToBottom();
    } else {
        KeepResultOffers();
        OfferLocusCurve();
    }
    m_progress->setValue(0);
    m_compute->setText(kComputeText);
    UpdateAdoptButton();
    SetControlsEnabled(true);
    QApplication::restoreOverrideCursor();
    if (m_focusBeforeRun && m_focusBeforeRun->window() == this) {
        m_focusBeforeRun->setFocus();
    }
    m_focusBeforeRun = nullptr;
}

bool CValuesDialog::IsLocusAnalysis(int analysis)
{
    return analysis == static_cast<int>(EAnalysis::LocusExtrema) ||
           analysis == static_cast<int>(EAnalysis::LocusInflections);
}

CGraphFunction CValuesDialog::RunFunction(std::size_t functionIndex, int analysis) const
{
    // An Ortskurve follows the points as k moves: the slider's one member has none to follow.
    if (IsLocusAnalysis(analysis) && m_wholeFamily && m_wholeFamily->first == functionIndex) {
        return m_wholeFamily->second;
    }
    return Chosen(functionIndex);
}

void CValuesDialog::OfferLocusCurve()
{
    if (!IsLocusAnalysis(m_runAnalysis) || m_runFunction >= m_functions.size() ||
        !IsSliderFamily(RunFunction(m_runFunction, m_runAnalysis))) {
        return;
    }
    emit locusDrawn(NewDerivedCurve(m_functions, m_runFunction,
                                    m_runAnalysis == static_cast<int>(EAnalysis::LocusExtrema)
                                        ? EDerivedKind::LocusOfExtrema
                                        : EDerivedKind::LocusOfInflections));
}

void CValuesDialog::KeepResultOffers()
{
    if (m_runFunction >= m_functions.size()) {
        return;
    }
    const CGraphFunction& function = m_functions[m_runFunction];
    const auto holds = [&](auto&& test) { return std::any_of(m_results.begin(), m_results.end(), test); };
    if (m_runAnalysis == static_cast<int>(EAnalysis::Tangent) &&
        holds([](const SAnalysisResult& r) { return std::holds_alternative<SResultTangent>(r.value); })) {
        m_tangentShown = function;
    }
    // Shaded only where the integral exists for every k.
    const auto integral = [](const SAnalysisResult& r) { return std::get_if<SResultIntegral>(&r.value); };
    const bool integrals = holds([&](const SAnalysisResult& r) { return integral(r) != nullptr; });
    const bool undefined = holds([&](const SAnalysisResult& r) {
        return integral(r) != nullptr && integral(r)->undefinedAt.has_value();
    });
    if (m_runAnalysis == static_cast<int>(EAnalysis::Integral) && integrals && !undefined) {
        double xFrom{};
        double xTo{};
        double xStep{};
        m_scaling.GetXRange(xFrom, xTo, xStep);
        SShownArea area{function, std::nullopt, m_runInputs.from.value_or(xFrom), m_runInputs.to.value_or(xTo),
                        m_runFunction, std::nullopt};
        if (m_runInputs.with != nullptr) {
            area.with = *m_runInputs.with;
            area.withIndex = static_cast<std::size_t>(m_runInputs.with - m_functions.data());
        }
        SetShownArea(std::move(area));
    }
}

bool CValuesDialog::IsRunning() const
{
    return m_runner->IsRunning();
}

void CValuesDialog::SetScanFunction(ScanFunction scan)
{
    m_scan = std::move(scan);
}

void CValuesDialog::ApplyTableColumns(int columns)
{
    m_delegate->SetTabDistance(ValueTableTabDistance(m_list->width(), columns, PixelsPerDialogUnit()));
    m_list->viewport()->update();
}

void CValuesDialog::OnCopy()
{
    const CWaitCursor wait;
    if (m_lines->LineCount() == 0) {
        return;
    }
    const QString text = m_lines->CrLfText();
    // The clipboard reports no failure; a copy that does not arrive goes unnoticed, as it should.
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(text);
    }
}

SResultSheet CValuesDialog::Sheet() const
{
    SResultSheet sheet;
    const int index = m_functionBox->currentIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < m_functions.size()) {
        const auto i = static_cast<std::size_t>(index);
        sheet.heading = FromRecord(FunctionHead(m_functions, i) + "(x) = " + m_functions[i].GetTerm());
        sheet.comment = FromRecord(m_functions[i].GetComment());
    } else if (index >= 0 && static_cast<std::size_t>(index) < ChoiceCount()) {
        sheet.heading = m_functionBox->itemText(index);
    }
    sheet.lines = ResultLines();
    sheet.title = sheet.heading;
    return sheet;
}

bool CValuesDialog::PaintSheet(QPagedPaintDevice& device) const
{
    const auto paint = [this](CDrawContext& dc, const CRect& rect) {
        // A family member picked by the slider is already the only value of its function here.
        PaintGraph(dc, rect, m_functions, m_objects, m_scaling, nullptr, nullptr, ShownDecimalSeparator(),
                   std::nullopt, m_derived, CurveSamplers());
    };
    return PaintResultSheet(device, Sheet(), m_scaling, paint);
}

void CValuesDialog::OnPrint()
{
    QPrinter printer{QPrinter::HighResolution};
    // As the graph's own printing does: at 300 dots per inch marks and pens read well on any printer.
    printer.setResolution(300);
    printer.setPageSize(QPageSize{QPageSize::A4});
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(Sheet().title);
    QPrintPreviewDialog preview{&printer, this};
    preview.setWindowTitle(QStringLiteral("Ergebnisblatt"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        if (!PaintSheet(*target)) {
            ShowMessage(this, QStringLiteral("Das Ergebnisblatt konnte nicht gedruckt werden."));
        }
    });
    preview.exec();
}

void CValuesDialog::OnHelp()
{
    ShowHelpFor(this);
}

// Closing the window stops a run first; what it found so far stays in the list until the dialog
// is gone, and the points adopted before are kept.
void CValuesDialog::accept()
{
    m_runner->StopAndWait();
    QDialog::accept();
}

void CValuesDialog::reject()
{
    m_runner->StopAndWait();
    QDialog::reject();
}

// During a run Escape stops it and leaves the dialog open, and Enter does nothing, so that a key
// pressed twice does not stop the run it has just started.
void CValuesDialog::keyPressEvent(QKeyEvent* event)
{
    if (IsRunning()) {
        switch (event->key()) {
        case Qt::Key_Escape:
            m_runner->Stop();
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        default:
            break;
        }
    }
    QDialog::keyPressEvent(event);
}
