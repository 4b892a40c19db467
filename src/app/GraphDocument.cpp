#include "app/GraphDocument.h"

#include "app/ContentStepCommand.h"
#include "document/GraphFile.h"
#include "framework/AtomicFile.h"
#include "framework/FileName.h"

#include <QFileInfo>
#include <QUndoStack>

CGraphDocument::CGraphDocument(QObject* parent) : QObject{parent}, m_history{new QUndoStack{this}}
{
    m_history->setUndoLimit(kHistoryLimit);
}

bool CGraphDocument::Edit(const QString& name, const std::function<void(CZelDoc&)>& change)
{
    // Whatever was changed outside the history (a test, a tool) is no part of this step.
    m_model.TakeStep();
    change(m_model);
    SContentStep step = m_model.TakeStep();
    if (step.IsEmpty()) {
        return false;
    }
    const QString text = name.isEmpty() ? ContentStepName(step) : name;
    m_history->push(new CContentStepCommand{m_model, std::move(step), text});
    return true;
}

void CGraphDocument::Undo()
{
    m_history->undo();
}

void CGraphDocument::Redo()
{
    m_history->redo();
}

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
    m_history->clear();
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
