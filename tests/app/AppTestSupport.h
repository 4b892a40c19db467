#pragma once

#include "document/GraphFile.h"
#include "document/ZelDoc.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// A graph file with one function, written by the program's own writer.
inline QByteArray SampleGraphBytes(const char* term = "x^2")
{
    CZelDoc doc;
    CGraphFunction f;
    f.SetTerm(term);
    doc.SetFunctions({f});
    const std::vector<std::uint8_t> bytes = WriteGraphFile(doc);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file{path};
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file{path};
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
