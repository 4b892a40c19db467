#pragma once

#include <QByteArray>
#include <QFile>
#include <QLine>
#include <QList>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>

// What a test reads back from a one-page PDF written by Qt: the page size in points, the matrix
// from device dots to points and every straight line drawn, in device dots.
struct SPdfPage
{
    QSizeF mediaBox;
    double pointsPerDot{0.0};
    QList<QLine> lines;
    QByteArray content;

    double CentimetresOf(double dots) const { return dots * pointsPerDot / 72.0 * 2.54; }
};

namespace pdf_detail {

// Flate streams are zlib data; qUncompress wants their length in front, as a size hint.
inline QByteArray Inflate(const QByteArray& data)
{
    QByteArray framed(4, '\0');
    const quint32 hint = 16U * 1024U * 1024U;
    framed[0] = static_cast<char>((hint >> 24) & 0xff);
    framed[1] = static_cast<char>((hint >> 16) & 0xff);
    framed[2] = static_cast<char>((hint >> 8) & 0xff);
    framed[3] = static_cast<char>(hint & 0xff);
    return qUncompress(framed + data);
}

} // namespace pdf_detail

inline SPdfPage ReadPdfPage(const QString& path)
{
    SPdfPage page;
    QFile file{path};
    if (!file.open(QIODevice::ReadOnly)) {
        return page;
    }
    const QByteArray pdf = file.readAll();

    const QRegularExpression media{QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")};
    const QRegularExpressionMatch box = media.match(QString::fromLatin1(pdf));
    if (box.hasMatch()) {
        page.mediaBox = QSizeF{box.captured(1).toDouble(), box.captured(2).toDouble()};
    }

    // The page's drawing is the stream that places the device coordinate system ("... cm").
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream\n", at)) >= 0) {
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) {
            break;
        }
        const qsizetype dictionary = pdf.lastIndexOf("<<", at);
        const bool flate = pdf.mid(dictionary, at - dictionary).contains("/FlateDecode");
        const QByteArray data =
            flate ? pdf_detail::Inflate(pdf.mid(start, end - start)) : pdf.mid(start, end - start);
        if (data.contains(" cm\n") && data.contains(" re\n")) {
            page.content = data;
            break;
        }
        at = end;
    }

    const QString content = QString::fromLatin1(page.content);
    const QRegularExpression matrix{QStringLiteral(R"(([-\d.]+) 0 0 (-?[\d.]+) (-?[\d.]+) (-?[\d.]+) cm)")};
    const QRegularExpressionMatch cm = matrix.match(content);
    if (cm.hasMatch()) {
        page.pointsPerDot = cm.captured(1).toDouble();
    }
    const QRegularExpression segment{QStringLiteral(R"((-?\d+) (-?\d+) m\n(-?\d+) (-?\d+) l\n)")};
    for (auto it = segment.globalMatch(content); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        page.lines.append(QLine{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                                m.captured(4).toInt()});
    }
    return page;
}
