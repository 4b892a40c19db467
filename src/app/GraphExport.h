#pragma once

#include "framework/GraphOutput.h"

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class CGraphDocument;
class QWidget;

// "Datei → Exportieren...": the graph of a document written as a PNG image, an SVG drawing or a
// PDF page through the one graph output, byte for byte as `vexplot --export` writes it from the
// document's file at the same size, and atomically.

// What the command asks and tells; the defaults use the file dialog, the size dialog and a
// message box, tests put in their own.
struct SExportPrompts
{
    // The target file and its format; an empty name cancels.
    std::function<QString(const QString& suggested, EGraphFormat& format)> askFileName;
    // The size of a PNG or SVG, in pixels or in centimetres; nothing cancels.
    std::function<std::optional<SPictureSize>(QSize suggested)> askSize;
    std::function<void(const QString& message)> showError;
};
SExportPrompts DefaultExportPrompts(QWidget* parent);

// Asks for file and size and writes. True when a file was written.
bool ExportGraph(CGraphDocument& document, QSize windowSize, const SExportPrompts& prompts);

// Writes the document's graph; returns the command line's German message on failure, or an empty
// string.
QString WriteGraphExport(const CGraphDocument& document, EGraphFormat format, const SPictureSize& size,
                         const QString& path);

// The name that gets written for a name typed into the file dialog with a filter chosen: the name
// keeps an extension of its own (which then sets the format), else it gets the filter's.
QString ExportTargetName(const QString& typed, EGraphFormat& format);

// The file dialog asks nothing about existing files, since the name it sees may still get an
// extension; the question is asked here, about the completed name. "No" goes back to the dialog.
struct SExportNamePrompts
{
    std::function<QString(const QString& suggested, EGraphFormat& format)> askTypedName;
    std::function<bool(const QString& path)> confirmReplace;
};
QString AskExportName(const SExportNamePrompts& prompts, const QString& suggested, EGraphFormat& format);

// The file dialog's filters, and the extension that goes with each format.
QString ExportFilter(EGraphFormat format);
QString ExportExtension(EGraphFormat format);
