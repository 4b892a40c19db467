// The choice among the formats of the graph output. Each format lives in a file of its own
// (GraphOutput.cpp for the PNG, GraphOutputSvg.cpp, GraphOutputPdf.cpp), so that a program that
// writes one format through its own call links only the libraries of that one.
#include "framework/GraphOutput.h"

bool CGraphOutput::Write(EGraphFormat format, const SPictureSize& size, QIODevice& device)
{
    switch (format) {
    case EGraphFormat::Png:
        return WritePng(size, device);
    case EGraphFormat::Svg:
        return WriteSvg(size, device);
    case EGraphFormat::Pdf:
        return WritePdf(device);
    }
    return false;
}

bool CGraphOutput::WriteFile(EGraphFormat format, const SPictureSize& size, const QString& path,
                             int& errorNumber)
{
    return WriteAtomically(path, errorNumber,
                           [&](QIODevice& device) { return Write(format, size, device); });
}
