#pragma once

#include "analysis/AnalysisResult.h"
#include "analysis/AnalysisTable.h"
#include "dialogs/values/AnalysisRunner.h"
#include "document/GraphFunction.h"
#include "document/DerivedCurve.h"
#include "document/GraphObject.h"
#include "document/KeptArea.h"
#include "document/Scaling.h"
#include "framework/ResultSheet.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CNumberField;
class CResultListModel;
class IAnalysisSink;
class CTabStopDelegate;
class QCheckBox;
class QPagedPaintDevice;
class QLabel;
class QComboBox;
class QListView;
class QProgressBar;
class QPushButton;

// The values dialog (dialog 147, "Werte"): the user picks a function and one of the five curve
// discussions, runs it, reads the lines and copies them as text. It works on copies taken when it
// is opened; the only thing it hands back are the points and lines the user adopts: each press of an
// adopt button announces its own through `adopted`, for whoever opened it to add as one step.
//
// Controls are found by objectName (framework/DialogIds.h): "IDC_<id>" for the numbered controls (IDC_1021
// function selector, IDC_1058 analysis selector, IDC_1059 result list, IDC_1060 progress bar, IDC_1061
// "&Berechnen", IDC_1076 "&Kopieren"), and the framework names "IDOK" for "&Schließen" (id 1) and
// "IDHELP" for "&Hilfe" (id 9); the check box "&Genaue Werte" is "IDC_EXACT_RESULTS" and the button
// "Als &Punkte übernehmen" "IDC_ADOPT_POINTS". The inputs of the intersections, the tangent and the integral
// are "IDC_SECOND_FUNCTION" ("&mit Funktion"), "IDC_TANGENT_PLACE" ("an der Stelle &x0"), "IDC_INTEGRAL_FROM"
// ("v&on") and "IDC_INTEGRAL_TO" ("b&is"), shown only for the analysis that reads them; "&Tangente
// übernehmen" is "IDC_ADOPT_TANGENT", "&Normale übernehmen" "IDC_ADOPT_NORMAL" and "F&läche behalten"
// "IDC_KEEP_AREA". The dialog itself is
// "IDD_147", which also gives F1 its help page.
class CValuesDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CValuesDialog)

public:
    // analysis: the preselected entry of the analysis selector, 0 value table to 7 integral (EAnalysis).
    CValuesDialog(CFunctionList functions, CScaling scaling, int analysis, QWidget* parent = nullptr);
    ~CValuesDialog() override;

    // Lines the result list holds at most (about 50 MB of text); a scan that reports more stops,
    // and the list ends with a line that says so. A value table of 10 001 rows, or a family of a
    // thousand values, stays far below it.
    static constexpr std::size_t kMaxResultLines = 200000;

    // While a slider picks one member of a family, the dialog discusses that member alone: the
    // function's k runs over the one value k, and its entry in the selector says "für k = …".
    void SetFamilyMember(std::size_t function, double k);

    // The lines of the result list, in order.
    QStringList ResultLines() const;
    // Whether a scan runs; it runs on a thread of its own and the window stays responsive.
    bool IsRunning() const;

    // What carries out a scan on the worker thread: RunAnalysis, unless a test puts in one that
    // fails on purpose.
    using ScanFunction = std::function<void(EAnalysis, const CGraphFunction&, const CScaling&, int,
                                            const SDiscussOptions&, IAnalysisSink&)>;
    void SetScanFunction(ScanFunction scan);

    // The value table's tab distance in pixels for a list `listWidth` pixels wide showing
    // `columns` columns (5 with the family constant), where one dialog unit is
    // `pixelsPerDialogUnit` pixels wide. The distance is (w / 5 - 15) dialog units, or (w / 6 - 15)
    // with five columns, with w the list's width as it would be on a display where a dialog unit
    // is 1.5 pixels: so the columns take the same share of the list whatever the font's size.
    static qreal ValueTableTabDistance(int listWidth, int columns, qreal pixelsPerDialogUnit);

    // The width of a horizontal dialog unit in the dialog's font, in pixels.
    qreal PixelsPerDialogUnit() const;

    void OnCompute();
    void OnCopy();
    // "&Drucken...": the results sheet of the list with its graph, previewed and then printed (or
    // saved as PDF through the printer dialog).
    void OnPrint();
    // The objects the sheet's graph shows besides the functions; none unless set.
    void SetGraphObjects(CObjectList objects) { m_objects = std::move(objects); }
    // The derived curves (f', f'', F, Ortskurven) the sheet's graph shows; none unless set. Each f',
    // f'' and F is also offered for discussion, after the functions: every analysis runs on f' and
    // f'' as on a function, their terms being the exact derivatives of their source's. F has no
    // term: its values come from the quadrature, and the analyses of one function run on it
    // (AntiderivativeDiscussion.h); the others say that they are not available for it. Call before
    // SetFamilyMember.
    void SetGraphDerived(CDerivedList derived);
    // The sheet "&Drucken..." prints: the heading of the function the list is about, the lines.
    SResultSheet Sheet() const;
    // Paints that sheet with the graph on a printer or PDF writer; false where it cannot.
    bool PaintSheet(QPagedPaintDevice& device) const;
    void OnHelp();
    // Takes the points of the list as point objects, to be added when the dialog has closed.
    void OnAdoptPoints();

    // Every point adopted while the dialog was open, in the order adopted, and the vertical lines of
    // normals with a slope of 0.
    const CObjectList& AdoptedPoints() const { return m_adopted; }

    // Takes the tangent (or normal) of the last tangent result as new functions.
    void OnAdoptTangent(bool normal);
    // Every tangent and normal adopted while the dialog was open, in the order adopted.
    const CFunctionList& AdoptedFunctions() const { return m_adoptedFunctions; }

    // The area an integral result shows, for the graph window to shade while it is on the list.
    struct SShownArea
    {
        CGraphFunction function;
        std::optional<CGraphFunction> with;
        double from{};
        double to{};
        // Where the two functions stand in the list the dialog was given.
        std::size_t functionIndex{0};
        std::optional<std::size_t> withIndex;
    };
    const std::optional<SShownArea>& ShownArea() const { return m_shownArea; }

    // Keeps the area the list shows, as an area of the graph; once per result.
    void OnKeepArea();

signals:
    // The shown area changed: a new integral result, or a list that shows none any more.
    void shownAreaChanged();
    // One press of an adopt button: the new functions (tangent, normal) and objects (points, the
    // vertical line of a normal) it took. `step` names it for the undo history.
    void adopted(const CFunctionList& functions, const CObjectList& objects, const QString& step);
    // One press of "Fläche behalten": the area to add to the graph as one step.
    void areaKept(const CKeptArea& area);
    // A finished Ortskurve of a family: the curve to draw it as, to add to the graph as one step
    // unless the graph draws it already.
    void locusDrawn(const CDerivedCurve& curve);

public:
    // Both stop a running scan first (within a fraction of a second) and then close.
    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void SetControlsEnabled(bool enabled);
    void RunScan(std::size_t functionIndex, int analysis, const SAnalysisInputs& inputs);
    void OnArrived(const std::vector<std::string>& lines, const std::vector<SAnalysisResult>& results,
                   int progress, int columns);
    void OnRunFinished(CAnalysisRunner::EEnd end);
    // What a finished tangent or integral result offers: the lines to adopt, the area to shade.
    void KeepResultOffers();
    // After an Ortskurve of a family: announces its curve (locusDrawn).
    void OfferLocusCurve();
    static bool IsLocusAnalysis(int analysis);
    // The function a run of that analysis discusses: the list's copy, or the whole family for an
    // Ortskurve of the slider's member.
    CGraphFunction RunFunction(std::size_t functionIndex, int analysis) const;
    void ApplyTableColumns(int columns);
    void UpdateAdoptButton();
    void ShowInputsOf(int analysis);
    // Reads the inputs of the chosen analysis; false (after telling the user) where one is not a number.
    bool ReadInputs(int analysis, SAnalysisInputs& inputs);
    void SetShownArea(std::optional<SShownArea> area);
    bool CanKeepArea() const;

    CFunctionList m_functions;
    CScaling m_scaling;
    CObjectList m_objects;
    CDerivedList m_derived;
    int m_analysis;
    CAnalysisRunner* m_runner{nullptr};
    ScanFunction m_scan;
    QPointer<QWidget> m_focusBeforeRun;
    CObjectList m_adopted;
    // Whether the list holds points that have not been adopted yet.
    bool m_pointsToAdopt{false};

    QComboBox* m_functionBox{nullptr};
    QComboBox* m_analysisBox{nullptr};
    QListView* m_list{nullptr};
    CResultListModel* m_lines{nullptr};
    CTabStopDelegate* m_delegate{nullptr};
    QProgressBar* m_progress{nullptr};
    QPushButton* m_compute{nullptr};
    QPushButton* m_copy{nullptr};
    QPushButton* m_print{nullptr};
    QPushButton* m_close{nullptr};
    QPushButton* m_help{nullptr};
    QCheckBox* m_exact{nullptr};
    QPushButton* m_adopt{nullptr};
    QLabel* m_withLabel{nullptr};
    QComboBox* m_withBox{nullptr};
    QLabel* m_atLabel{nullptr};
    CNumberField* m_atField{nullptr};
    QLabel* m_fromLabel{nullptr};
    CNumberField* m_fromField{nullptr};
    QLabel* m_toLabel{nullptr};
    CNumberField* m_toField{nullptr};
    QPushButton* m_adoptTangent{nullptr};
    QPushButton* m_adoptNormal{nullptr};
    QPushButton* m_keepArea{nullptr};
    // Whether the shown area has been kept already.
    bool m_areaKept{false};
    CFunctionList m_adoptedFunctions;
    // The function of the tangent result on the list, for the two adopt buttons.
    std::optional<CGraphFunction> m_tangentShown;
    // The results behind the list's lines, in order: what the adopt buttons and the shading read.
    std::vector<SAnalysisResult> m_results;
    // The run under way or last finished: its function, analysis and inputs.
    std::size_t m_runFunction{0};
    int m_runAnalysis{-1};
    SAnalysisInputs m_runInputs;
    std::optional<SShownArea> m_shownArea;
    // The f' and f'' of SetGraphDerived as functions of their own (their terms the derivatives),
    // in the function selector after m_functions; and the index of each one's source.
    CFunctionList m_derivedFunctions;
    std::vector<std::size_t> m_derivedSources;
    // For an antiderivative among them, its start (x0, y0), with its source's term as its own.
    std::vector<std::optional<std::pair<double, double>>> m_derivedStarts;
    std::optional<std::pair<double, double>> AntiderivativeStart(std::size_t index) const;
    // The function at that place of the selector: one of m_functions, then the derived ones.
    const CGraphFunction& Chosen(std::size_t index) const;
    std::size_t ChoiceCount() const { return m_functions.size() + m_derivedFunctions.size(); }
    // The family the slider narrowed to one member, as it was: its Ortskurve runs over all of k.
    std::optional<std::pair<std::size_t, CGraphFunction>> m_wholeFamily;
};
