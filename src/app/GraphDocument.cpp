#include "app/GraphDocument.h"

#include "document/GraphFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <span>

CGraphDocument::CGraphDocument(QObject* parent) : QObject{parent} {}

void CGraphDocument::SetTitle(const QString& title)
{
    m_title = title;
    emit changed();
}

bool CGraphDocument::IsModified() const
{
    return m_model.IsModified();
}

bool CGraphDocument::Load(const QString& path, QString& error)
{
    QFile file{path};
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Die Datei %1 kann nicht geöffnet werden: %2").arg(path, file.errorString());
        return false;
    }
    // Read no further than the graph file reader would look: a device or an enormous file would
    // otherwise fill the memory first.
    if (file.isSequential() || file.size() > static_cast<qint64>(kMaxGraphFileBytes)) {
        error =
            QStringLiteral("Die Datei %1 ist kein Funktions-Graph: sie ist größer als %2 Bytes oder keine "
                           "gewöhnliche Datei.")
                .arg(path)
                .arg(kMaxGraphFileBytes);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(path, file.errorString());
        return false;
    }
    CZelDoc model;
    std::string reason;
    const std::span<const std::uint8_t> data{reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                             static_cast<std::size_t>(bytes.size())};
    if (!ReadGraphFile(data, model, reason)) {
        error = QStringLiteral("Die Datei %1 ist kein gültiger Funktions-Graph: %2")
                    .arg(path, QString::fromStdString(reason));
        return false;
    }
    m_model = std::move(model);
    m_pathName = QFileInfo(path).absoluteFilePath();
    m_title = QFileInfo(path).fileName();
    emit changed();
    return true;
}

bool CGraphDocument::SaveTo(const QString& path, QString& error)
{
    const std::vector<std::uint8_t> bytes = WriteGraphFile(m_model);
    QSaveFile file{path};
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        error =
            QStringLiteral("Die Datei %1 kann nicht gespeichert werden: %2").arg(path, file.errorString());
        return false;
    }
    m_model.SetModifiedFlag(false);
    m_pathName = QFileInfo(path).absoluteFilePath();
    m_title = QFileInfo(path).fileName();
    emit changed();
    return true;
}

void CGraphDocument::RecordDrawnScaling(const CScaling& drawn)
{
    m_model.RecordDerivedScaling(drawn);
}

void CGraphDocument::NotifyChanged(const QObject* drawnBy)
{
    emit contentChanged(drawnBy);
    emit changed();
}

void CGraphDocument::AddView(CZelView* view)
{
    m_views.append(view);
}

void CGraphDocument::RemoveView(CZelView* view)
{
    m_views.removeAll(view);
}

QList<CZelView*> CGraphDocument::Views() const
{
    return m_views;
}
