#pragma once

#include "document/ZelDoc.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QUndoStack;

class CZelView;

// The window side of one graph document: the model, the file it came from, its title and the
// views that show it. The model itself knows nothing of files or windows.
class CGraphDocument final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CGraphDocument)

public:
    explicit CGraphDocument(QObject* parent = nullptr);

    CZelDoc& Model() { return m_model; }
    const CZelDoc& Model() const { return m_model; }

    QString GetTitle() const { return m_title; }
    void SetTitle(const QString& title);
    // The absolute path of the file, empty while the document has never been saved. Bytes of the
    // name that are not UTF-8 are kept as DecodeFileName keeps them.
    QString GetPathName() const { return m_pathName; }

    bool IsModified() const;

    // Reads the graph file into a fresh model; on failure the document is unchanged and `error`
    // says why.
    bool Load(const QString& path, QString& error);
    // After a Load: what the user should know although the graph opened (a damaged extension
    // block), or empty.
    QString LoadWarning() const { return QString::fromStdString(m_model.GetReadWarning()); }
    // Writes the graph file atomically: the previous file survives a failed save untouched, and
    // the document stays modified. On success the document takes the path and its name as title.
    bool SaveTo(const QString& path, QString& error);

    // The history of edits, newest last, for undo and redo. Every edit of the content goes through
    // Edit, which makes it one step named for the menus ("Rückgängig: Skalierung"); an empty name
    // is derived from the parts that changed. An edit that changes nothing adds no step and returns
    // false. Loading clears the history; saving keeps it.
    bool Edit(const QString& name, const std::function<void(CZelDoc&)>& change);
    QUndoStack* History() const { return m_history; }
    // Both mark the document modified; neither notifies the views.
    void Undo();
    void Redo();
    // The most steps the history holds; the oldest go first.
    static constexpr int kHistoryLimit = 100;

    void AddView(CZelView* view);
    void RemoveView(CZelView* view);
    QList<CZelView*> Views() const;

    // Hands back the scaling a drawing used. What automatic y scaling derived there is kept for
    // the next save but is no edit: neither the modified flag nor undo changes.
    void RecordDrawnScaling(const CScaling& drawn);

    // After any change of the content: every view of the document redraws (except the one named,
    // which has drawn the change already), and the windows learn that the title, the modified
    // flag or undo may have changed.
    void NotifyChanged(const QObject* drawnBy = nullptr);

signals:
    void changed();
    void contentChanged(const QObject* drawnBy);

private:
    // The file's name as the system has it (bytes kept, see DecodeFileName) and the title shown.
    void TakePath(const QString& path);

    CZelDoc m_model;
    QUndoStack* m_history{nullptr};
    QString m_title;
    QString m_pathName;
    // Each view removes itself when it goes, so plain pointers stay valid.
    QList<CZelView*> m_views;
};
