// vexplot --sheet OUT.pdf FILE [--function N] [--precision P] [--digits D] [--decimal-comma]: the
// results sheet of the whole curve discussion as a PDF, without a display. It reads its arguments and
// its graph as --discuss does (console/DiscussRequest.h); only the drawing needs Qt.
#include "cli/CommandLine.h"

#include "analysis/AnalysisSink.h"
#include "analysis/ResultText.h"
#include "console/DiscussRequest.h"
#include "document/SliderState.h"
#include "document/SystemErrorText.h"
#include "engine/TextEncoding.h"
#include "framework/CurveSamplers.h"
#include "framework/FileName.h"
#include "framework/ResultSheet.h"
#include "view/GraphPaint.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <optional>
#include <string>

namespace {

// Keeps the lines of a run, for the sheet.
class CLineSink final : public IAnalysisSink
{
public:
    explicit CLineSink(EDecimalSeparator separator) : m_separator{separator} {}

    void Add(const SAnalysisResult& result) override
    {
        for (std::string& line : ResultLines(result, m_separator)) {
            AddLine(std::move(line));
        }
    }
    void AddLine(std::string line) override { m_lines << QString::fromStdString(LineToUtf8(line)); }

    const QStringList& Lines() const { return m_lines; }

private:
    EDecimalSeparator m_separator;
    QStringList m_lines;
};

// Qt's remarks about the environment (no runtime directory, no session) mean nothing to someone
// writing a sheet; only real failures get through.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        Complain(EncodeFileName(message).toStdString());
    }
}

// The sheet of the whole discussion of one function of the content: its head and comment, the
// graph, the lines.
int WriteSheet(const SDiscussRequest& request, const CGraphContent& content, const CGraphFunction& function,
               std::size_t index, const QStringList& lines)
{
    SResultSheet sheet;
    sheet.heading = QString::fromStdString(
        Cp1252ToUtf8(FunctionHead(content.functions, index) + "(x) = " + function.GetTerm()));
    sheet.comment = QString::fromStdString(Cp1252ToUtf8(function.GetComment()));
    sheet.lines = lines;
    sheet.title = request.file.empty()
                      ? sheet.heading
                      : QFileInfo{DecodeFileName(QByteArray::fromStdString(request.file))}.fileName();
    std::optional<SFamilyFocus> focus;
    if (const std::optional<SSliderState> slider = ActiveSliderOf(content.functions, content.slider)) {
        focus = SFamilyFocus{slider->function, slider->k, false};
    }
    const auto paint = [&](CDrawContext& dc, const CRect& rect) {
        PaintGraph(dc, rect, content.functions, content.objects, content.scaling, nullptr, nullptr,
                   request.separator, focus, content.derived, CurveSamplers(), content.areas);
    };
    int code = 0;
    const QString path = DecodeFileName(QByteArray::fromStdString(request.sheet));
    if (!WriteResultSheetPdf(path, sheet, content.scaling, paint, code)) {
        Complain(code != 0 ? "Die Datei \"" + request.sheet +
                                 "\" kann nicht geschrieben werden: " + SystemErrorText(code) + "."
                           : "Das Ergebnisblatt \"" + request.sheet + "\" konnte nicht erzeugt werden.");
        return kExitUnreadable;
    }
    return kExitOk;
}

} // namespace

int RunSheetCommand(int& argc, char** argv)
{
    // The sheet draws text and a graph: fonts need a graphical application, but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietMessages);
    const QGuiApplication app{argc, argv};
    const std::optional<SDiscussRequest> request = ParseDiscussArguments(argc, argv, true);
    if (!request) {
        return kExitUsage;
    }
    int code = kExitOk;
    const std::optional<SDiscussion> discussion = PrepareDiscussion(*request, code);
    if (!discussion) {
        return code;
    }
    CLineSink lines{request->separator};
    RunDiscussion(*request, *discussion, lines);
    return WriteSheet(*request, discussion->content, discussion->function,
                      static_cast<std::size_t>(request->function) - 1, lines.Lines());
}
