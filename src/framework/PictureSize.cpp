#include "framework/PictureSize.h"

#include <cmath>

SPictureSize::SPictureSize(QSizeF sizeInCentimetres, int dotsPerInch)
    : pixels{PixelsOfCentimetres(sizeInCentimetres.width(), dotsPerInch),
             PixelsOfCentimetres(sizeInCentimetres.height(), dotsPerInch)},
      centimetres{sizeInCentimetres}, dotsPerInch{dotsPerInch}
{
}

int PixelsOfCentimetres(double centimetres, int dotsPerInch)
{
    return static_cast<int>(std::lround(centimetres / 2.54 * dotsPerInch));
}
