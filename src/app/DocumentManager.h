#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class CGraphDocument;
class CZelView;

// Opens, saves and closes the graph documents of the main window: new documents titled Graph1,
// Graph2, ...; the save question before a modified document closes; the recent-file list.
class CDocumentManager final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDocumentManager)

public:
    // parent owns the manager and is the parent of its questions and messages.
    explicit CDocumentManager(QWidget* parent);
    ~CDocumentManager() override;

    CGraphDocument* NewDocument();
    // Opens the file in a new window, or activates the window that shows it already. On failure
    // the user is told why and no window opens.
    CGraphDocument* OpenDocument(const QString& path);
    // Lets the user choose a file, then opens it.
    void OnFileOpen();

    // Saves to the document's file, or asks for a name when it has none. False when not saved.
    bool SaveDocument(CGraphDocument* document);
    bool SaveDocumentAs(CGraphDocument* document);

    // Asks whether to save a modified document: true when it may close.
    bool SaveModified(CGraphDocument* document);
    // Closes every window of the document, after the save question.
    bool CloseDocument(CGraphDocument* document);
    // Closes every document; false (and nothing closed after the first refusal) when the user cancels.
    bool CloseAllDocuments();

    // Called by a closing window: whether it may close, and that it has closed.
    bool CanCloseView(CZelView* view);
    void ViewClosed(CZelView* view);

    QList<CGraphDocument*> Documents() const { return m_documents; }

    // What the user is asked and told; tests put answers of their own here.
    std::function<QMessageBox::StandardButton(const QString& question)> askSave;
    std::function<QString(const QString& suggestedPath)> askSaveFileName;
    std::function<QString()> askOpenFileName;
    std::function<void(const QString& message)> showError;

    // The file-dialog filter of the document type.
    static QString FileFilter();

signals:
    void documentsChanged();
    // A document was opened or made; it wants its first window.
    void documentAdded(CGraphDocument* document);
    // An already open file was opened again: its window should come to the front.
    void activateViewRequested(CZelView* view);
    void recentFilesChanged();

private:
    // Takes the document over and opens its first window.
    CGraphDocument* AddDocument(std::unique_ptr<CGraphDocument> document);
    // Writes the file with the wait cursor; a failure is shown and leaves the document modified.
    bool WriteDocument(CGraphDocument* document, const QString& path);
    void CloseWindowsOf(CGraphDocument* document);

    QList<CGraphDocument*> m_documents;
    QList<CGraphDocument*> m_closing;
    int m_untitledCount{0};
};
