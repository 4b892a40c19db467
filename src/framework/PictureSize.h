#pragma once

#include <QSize>
#include <QSizeF>

#include <optional>

// The size of an exported picture: pixels as the window counts them, or centimetres on paper
// at a resolution. A size in centimetres makes as many pixels as the resolution puts on them,
// and lines, crosses and text keep their size on paper whatever the resolution.
struct SPictureSize
{
    static constexpr int kDefaultDotsPerInch = 300;

    SPictureSize() = default;
    // A size in pixels converts without ceremony: it is what every picture had before.
    SPictureSize(QSize size) : pixels{size} {} // NOLINT(google-explicit-constructor)
    SPictureSize(QSizeF sizeInCentimetres, int dotsPerInch);

    // The pixels the picture has: those given, or the centimetres at the resolution, rounded.
    QSize pixels;
    std::optional<QSizeF> centimetres;
    int dotsPerInch{kDefaultDotsPerInch};
};

// Pixels of a length in centimetres at a resolution, rounded to the nearest.
int PixelsOfCentimetres(double centimetres, int dotsPerInch);
