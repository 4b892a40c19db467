// vexplot-png, vexplot-svg and vexplot-pdf: the export to one format, started by the front end
// (main.cpp) with the same arguments. Each is built from this file with the format it writes
// (VEX_EXPORT_PNG, _SVG or _PDF) and calls only that format's writer, so that it links the Qt
// libraries of that format and no more: the core and GUI for PNG, plus Svg for SVG, plus
// PrintSupport (with the widgets it needs) for PDF. Any other format is refused. The PDF program
// also writes the results sheet, which is a PDF page too.
#include "cli/CommandLine.h"

namespace {

bool WriteOneFormat(CGraphOutput& graph, EGraphFormat format, [[maybe_unused]] const SPictureSize& size,
                    const QString& path,
                    int& errorNumber)
{
    errorNumber = 0;
#if defined(VEX_EXPORT_PNG)
    return format == EGraphFormat::Png && graph.WritePngFile(size, path, errorNumber);
#elif defined(VEX_EXPORT_SVG)
    return format == EGraphFormat::Svg && graph.WriteSvgFile(size, path, errorNumber);
#elif defined(VEX_EXPORT_PDF)
    return format == EGraphFormat::Pdf && graph.WritePdfFile(path, errorNumber);
#endif
}

} // namespace

int main(int argc, char** argv)
{
#if defined(VEX_EXPORT_PDF)
    if (PickCommand(argc, argv) == ECommand::Sheet) {
        return RunSheetCommand(argc, argv);
    }
#endif
    return RunExportCommand(argc, argv, WriteOneFormat);
}
