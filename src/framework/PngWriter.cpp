#include "framework/PngWriter.h"

#include <QImage>
#include <QSysInfo>

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <vector>

namespace {

struct SPngLayout
{
    int colorType;
    int filter;
    int strategy;
    int level;
    int dotsPerMeterX;
    int dotsPerMeterY;
    // 4-byte pixels in memory order B, G, R, unused (a little-endian 0xffRRGGBB): libpng swaps and
    // drops the fourth byte itself, so the image needs no converted copy.
    bool bgrx;
    bool xrgb;
};

void AppendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<QByteArray*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void NoFlush(png_structp) {}

// libpng reports an error by a long jump back to the setjmp below; its messages go nowhere, as a
// failed write is reported to the user by the caller.
void JumpOnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Only plain data lives in this frame and the ones libpng jumps over, so the jump skips no
// destructor.
bool WriteRows(png_structp png, png_infop info, const SPngLayout& layout, const uchar* first,
               qsizetype bytesPerLine, int width, int height)
{
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 layout.colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.dotsPerMeterX > 0 || layout.dotsPerMeterY > 0) {
        png_set_pHYs(png, info, static_cast<png_uint_32>(layout.dotsPerMeterX),
                     static_cast<png_uint_32>(layout.dotsPerMeterY), PNG_RESOLUTION_METER);
    }
    png_set_filter(png, PNG_FILTER_TYPE_BASE, layout.filter);
    png_set_compression_strategy(png, layout.strategy);
    png_set_compression_level(png, layout.level);
    // Fewer, larger IDAT chunks: each costs a header and a checksum pass of its own.
    png_set_compression_buffer_size(png, 1 << 17);
    png_write_info(png, info);
    if (layout.bgrx) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else if (layout.xrgb) {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    for (int y = 0; y < height; ++y) {
        png_write_row(png, first + static_cast<qsizetype>(y) * bytesPerLine);
    }
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::optional<QByteArray> CPngWriter::Encode(const QImage& image) const
{
    if (image.isNull()) {
        return std::nullopt;
    }
    SPngLayout layout{};
    layout.filter = m_filter == EFilter::None ? PNG_FILTER_NONE
                    : m_filter == EFilter::Up ? PNG_FILTER_UP
                                              : PNG_ALL_FILTERS;
    layout.strategy = m_deflate == EDeflate::Runs ? Z_RLE : Z_DEFAULT_STRATEGY;
    layout.level = m_level;
    layout.dotsPerMeterX = image.dotsPerMeterX();
    layout.dotsPerMeterY = image.dotsPerMeterY();
    // A graph is RGB32 and goes as it is; anything else is brought to 8-bit RGB or RGBA first.
    QImage converted;
    const QImage* source = &image;
    if (image.format() == QImage::Format_RGB32) {
        layout.colorType = PNG_COLOR_TYPE_RGB;
        const bool little = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
        layout.bgrx = little;
        layout.xrgb = !little;
    } else if (image.hasAlphaChannel()) {
        layout.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
        converted = image.convertToFormat(QImage::Format_RGBA8888);
        source = &converted;
    } else {
        layout.colorType = PNG_COLOR_TYPE_RGB;
        converted = image.convertToFormat(QImage::Format_RGB888);
        source = &converted;
    }
    if (source->isNull()) {
        return std::nullopt;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
    if (png == nullptr) {
        return std::nullopt;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return std::nullopt;
    }
    QByteArray bytes;
    // Unfiltered runs come to about a twelfth of the raw pixels; a good first guess saves copies.
    bytes.reserve(static_cast<qsizetype>(source->sizeInBytes() / 12));
    png_set_write_fn(png, &bytes, AppendBytes, NoFlush);
    const bool written = WriteRows(png, info, layout, source->constBits(), source->bytesPerLine(),
                                   source->width(), source->height());
    png_destroy_write_struct(&png, &info);
    if (!written) {
        return std::nullopt;
    }
    return bytes;
}
