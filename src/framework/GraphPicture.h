#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

class CZelDoc;
class QMimeData;

// A document's graph drawn at a given size in device units, by the same code as its window: the
// pictures the copy command puts on the clipboard. The document is only read; the scaling the
// drawing settles on is not handed back.
QImage DrawGraphImage(const CZelDoc& doc, QSize size);
QByteArray DrawGraphSvg(const CZelDoc& doc, QSize size);

// The clipboard contents of a copied graph. A bitmap is the image (PNG and the platform's image
// type); a metafile is the SVG drawing, with the image beside it for programs that cannot paste
// vector graphics.
QMimeData* CreateGraphMimeData(const CZelDoc& doc, bool bitmap, QSize size);
