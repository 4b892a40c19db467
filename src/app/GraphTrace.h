#pragma once

#include "analysis/TracePoints.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"
#include "engine/CompiledTerm.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class CGraphDocument;
class CZelDoc;
class QWidget;

// Where a traced curve is an antiderivative F: the point it passes through, F(x0) = y0. Its entry
// in the traced list is its source function, named and coloured as F; the values come from the
// quadrature of that function.
struct SAntiderivativeStart
{
    double x0{0.0};
    double y0{0.0};
    bool operator==(const SAntiderivativeStart&) const = default;
};

// The functions as the window draws them: the document's own list, or, while its slider is on, a
// copy in `narrowed` whose slider family is the one member at k, so that the trace follows k. The
// derived curves f', f'' and F follow as functions of their own, f' and f'' with the exact
// derivatives as their terms, so that the trace runs along them and snaps to their points as to a
// function's. With starts, starts[i] says whether curve i is an antiderivative.
const CFunctionList& TracedFunctions(const CZelDoc& model, CFunctionList& narrowed,
                                     std::vector<std::optional<SAntiderivativeStart>>* starts = nullptr);

// A marker on one curve of a document, moved along it by the keys, that snaps to the zeros, extrema
// and inflection points the curve discussion finds in its exact mode.
//
// Functions carry no identity of their own: an edit hands the document a fresh copy of the whole
// list, and undo exchanges whole lists. So the trace keeps the function it follows as it last saw
// it (term, colour, family range, comment) together with its place and the length of the list,
// and after every change looks for it again: at its old place, else anywhere in the list (a
// function before it went), else, when the list kept its length, at the old place changed (that
// function was edited). Nothing found means the function went, and the trace ends.
class CGraphTrace final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CGraphTrace)

public:
    // `view` shows the trace; its width tells how far a pixel reaches.
    CGraphTrace(CGraphDocument* document, QWidget* view);
    ~CGraphTrace() override;

    // Puts the marker on member `member` of the family of function `function` at x; false when
    // there is no such curve.
    bool Start(std::size_t function, std::size_t member, double x);
    void End();
    bool IsActive() const { return m_curve.has_value(); }

    // Moves the marker by `distance` along x, snapping to a point it comes near ahead of it.
    void Step(double distance);
    // The next curve in drawing order (the members of a family, then the next function), or the
    // one before it.
    void SwitchCurve(int direction);

    // Catches up with the document: re-points to the traced function, ends when it went, and
    // scans afresh when its term, its family value or the range changed.
    void Follow();

    struct SMarker
    {
        std::size_t function{0};
        double k{0.0};
        double x{0.0};
        double y{0.0};
        char snapped{0};
    };
    // Nothing while the trace is off, or the value at the marker is not defined, or the document
    // changed since the trace last caught up.
    std::optional<SMarker> Marker() const;

    // "h_k, k = 1: x = 0.5   h_k(x) = 0.25   h_k'(x) = 1   Hochpunkt", named as in the legend;
    // empty while the trace is off.
    QString StatusText() const;

    // The x extent of one pixel of the view at the document's scaling.
    double Pixel() const;

    // The points the marker snaps to, and whether they were found for the traced curve and the
    // document's range as they are now (false while a scan runs).
    const std::vector<STracePoint>& Points() const { return m_points; }
    bool HasCurrentPoints() const;

signals:
    // The marker moved or ended, or the text about it changed.
    void changed();
    // A scan for the points to snap to has reported.
    void pointsFound();

private:
    struct SCurve
    {
        // The function as the trace last saw it, and where.
        CGraphFunction function;
        std::size_t index{0};
        std::size_t count{0};
        std::size_t member{0};
        double k{0.0};
        double x{0.0};
        char snapped{0};
        // For an antiderivative F of the function: F(x0) = y0.
        std::optional<SAntiderivativeStart> start;
    };
    // What a scan was asked for: its points count only while these still hold.
    struct SScanned
    {
        std::string term;
        double k{0.0};
        CScaling scaling;
        std::optional<SAntiderivativeStart> start;
    };

    std::optional<std::size_t> Locate() const;
    // The value of the traced curve at the marker, where it is defined.
    std::optional<double> Value() const;
    // Takes the function at `index` as the traced one, keeping the member where the family allows.
    bool Point(std::size_t index, std::size_t member);
    void Scan();
    void Snap(double x, int direction);
    bool IsScanCurrent() const;

    QPointer<CGraphDocument> m_document;
    QWidget* m_view{nullptr};
    std::optional<SCurve> m_curve;
    std::optional<CCompiledTerm> m_compiled;
    std::optional<SScanned> m_scanned;
    bool m_scanDone{false};
    std::vector<STracePoint> m_points;
    // The points are found on a thread of their own, so that a trace at the finest precision
    // starts at once; a result counts only for the generation it was asked for. Declared last:
    // going first, it stops and joins its scan before anything it reports to goes.
    std::uint64_t m_generation{0};
    std::jthread m_worker;
};
