#include "framework/FileName.h"

#include "engine/TextEncoding.h"

#include <string_view>

namespace {

constexpr char16_t kFirstKeptByte = 0xDC80;
constexpr char16_t kLastKeptByte = 0xDCFF;

bool IsKeptByte(QChar c)
{
    return c.unicode() >= kFirstKeptByte && c.unicode() <= kLastKeptByte;
}

} // namespace

QString DecodeFileName(const QByteArray& bytes)
{
    QString name;
    name.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto length = static_cast<qsizetype>(
            Utf8SequenceAt(std::string_view{bytes.constData(), static_cast<std::size_t>(bytes.size())},
                           static_cast<std::size_t>(i)));
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
