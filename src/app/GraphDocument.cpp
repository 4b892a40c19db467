#include "app/GraphDocument.h"

#include "document/GraphFile.h"
#include "framework/AtomicFile.h"
#include "framework/FileName.h"

#include <QFileInfo>

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
    CZelDoc model;
    std::string reason;
    if (!ReadGraphFileFromPath(EncodeFileName(path).toStdString(), model, reason)) {
        error = DisplayFileName(DecodeFileName(QByteArray::fromStdString(reason)));
        return false;
    }
    m_model = std::move(model);
    TakePath(path);
    emit changed();
    return true;
}

bool CGraphDocument::SaveTo(const QString& path, QString& error)
{
    const std::vector<std::uint8_t> bytes = WriteGraphFile(m_model);
    CAtomicFile file{path};
    if (!file.Open() ||
        file.Device().write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.Commit()) {
        error = QStringLiteral("Die Datei %1 kann nicht gespeichert werden: %2.")
                    .arg(DisplayFileName(path), file.Reason());
        return false;
    }
    m_model.SetModifiedFlag(false);
    TakePath(path);
    emit changed();
    return true;
}

void CGraphDocument::TakePath(const QString& path)
{
    const QFileInfo info{path};
    m_pathName = info.absoluteFilePath();
    m_title = DisplayFileName(info.fileName());
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
