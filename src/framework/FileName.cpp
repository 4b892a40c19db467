#include "framework/FileName.h"

namespace {

constexpr char16_t kFirstKeptByte = 0xDC80;
constexpr char16_t kLastKeptByte = 0xDCFF;

bool IsKeptByte(QChar c)
{
    return c.unicode() >= kFirstKeptByte && c.unicode() <= kLastKeptByte;
}

// The length of the valid UTF-8 sequence starting at i, or 0 when the byte there begins none.
qsizetype ValidSequenceAt(const QByteArray& bytes, qsizetype i)
{
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return 1;
    }
    qsizetype length = 0;
    unsigned int lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    unsigned int code = lead & (0x7F >> length);
    for (qsizetype k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms and encoded surrogates are not valid UTF-8; they are kept byte by byte.
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

QString DecodeFileName(const QByteArray& bytes)
{
    QString name;
    name.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = ValidSequenceAt(bytes, i);
        if (length == 0) {
            name +=
                QChar{static_cast<char16_t>(kFirstKeptByte + (static_cast<unsigned char>(bytes[i]) - 0x80))};
            ++i;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + i, length);
        i += length;
    }
    return name;
}

QByteArray EncodeFileName(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !IsKeptByte(name[i])) {
            continue;
        }
        bytes += QStringView{name}.mid(start, i - start).toUtf8();
        if (i < name.size()) {
            bytes += static_cast<char>(0x80 + (name[i].unicode() - kFirstKeptByte));
        }
        start = i + 1;
    }
    return bytes;
}

QString DisplayFileName(const QString& name)
{
    QString shown = name;
    for (QChar& c : shown) {
        if (IsKeptByte(c)) {
            c = QChar::ReplacementCharacter;
        }
    }
    return shown;
}
