#include "app/DocumentManager.h"

#include "app/GraphDocument.h"
#include "app/ZelView.h"
#include "framework/CommandIds.h"
#include "framework/Resources.h"
#include "framework/SettingsStore.h"
#include "framework/WaitCursor.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

CDocumentManager::CDocumentManager(QWidget* frame) : QObject{frame}
{
    const QString caption = LoadString(IDS_APP_TITLE);
    askSave = [frame, caption](const QString& question) {
        return QMessageBox::question(frame, caption, question,
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                     QMessageBox::Yes);
    };
    askSaveFileName = [frame](const QString& suggested) {
        return QFileDialog::getSaveFileName(frame, QStringLiteral("Speichern unter"), suggested,
                                            FileFilter());
    };
    askOpenFileName = [frame]() {
        return QFileDialog::getOpenFileName(frame, QStringLiteral("Öffnen"), QString(), FileFilter());
    };
    showError = [frame, caption](const QString& message) { QMessageBox::warning(frame, caption, message); };
}

CDocumentManager::~CDocumentManager() = default;

QString CDocumentManager::FileFilter()
{
    // "Funktions-Graphen (*.zel)" first, so that it is the one chosen; the dialogs match the pattern
    // without regard to case, so that files named *.ZEL show as well. "Alle Dateien" lets a user
    // find a graph saved under another extension.
    return DocumentTypeField(3) + QStringLiteral(";;Alle Dateien (*)");
}

CGraphDocument* CDocumentManager::AddDocument(std::unique_ptr<CGraphDocument> document)
{
    document->setParent(this);
    CGraphDocument* added = document.release();
    m_documents.append(added);
    emit documentAdded(added);
    emit documentsChanged();
    return added;
}

CGraphDocument* CDocumentManager::NewDocument()
{
    auto document = std::make_unique<CGraphDocument>();
    document->SetTitle(DocumentTypeField(1) + QString::number(++m_untitledCount));
    return AddDocument(std::move(document));
}

CGraphDocument* CDocumentManager::OpenDocument(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CGraphDocument* open : m_documents) {
        if (!open->GetPathName().isEmpty() && open->GetPathName() == absolute && !open->Views().isEmpty()) {
            emit activateViewRequested(open->Views().first());
            return open;
        }
    }
    auto document = std::make_unique<CGraphDocument>();
    QString error;
    bool loaded = false;
    {
        const CWaitCursor wait;
        loaded = document->Load(absolute, error);
    }
    if (!loaded) {
        CSettingsStore::Instance().RemoveRecentFile(absolute);
        emit recentFilesChanged();
        showError(error);
        return nullptr;
    }
    CSettingsStore::Instance().AddRecentFile(absolute);
    emit recentFilesChanged();
    const QString warning = document->LoadWarning();
    CGraphDocument* opened = AddDocument(std::move(document));
    if (!warning.isEmpty()) {
        showError(warning);
    }
    return opened;
}

void CDocumentManager::OnFileOpen()
{
    const QString path = askOpenFileName();
    if (!path.isEmpty()) {
        OpenDocument(path);
    }
}

bool CDocumentManager::SaveDocument(CGraphDocument* document)
{
    if (document->GetPathName().isEmpty()) {
        return SaveDocumentAs(document);
    }
    return WriteDocument(document, document->GetPathName());
}

bool CDocumentManager::SaveDocumentAs(CGraphDocument* document)
{
    const QString suggested =
        document->GetPathName().isEmpty() ? document->GetTitle() : document->GetPathName();
    QString path = askSaveFileName(suggested);
    if (path.isEmpty()) {
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".zel");
    }
    return WriteDocument(document, path);
}

bool CDocumentManager::WriteDocument(CGraphDocument* document, const QString& path)
{
    QString error;
    bool saved = false;
    {
        const CWaitCursor wait;
        saved = document->SaveTo(path, error);
    }
    if (!saved) {
        showError(error);
        return false;
    }
    CSettingsStore::Instance().AddRecentFile(document->GetPathName());
    emit recentFilesChanged();
    return true;
}

bool CDocumentManager::SaveModified(CGraphDocument* document)
{
    if (!document->IsModified()) {
        return true;
    }
    switch (askSave(QStringLiteral("Änderungen in %1 speichern?").arg(document->GetTitle()))) {
    case QMessageBox::Yes:
        return SaveDocument(document);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void CDocumentManager::CloseWindowsOf(CGraphDocument* document)
{
    m_closing.append(document);
    for (CZelView* view : document->Views()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget())) {
            frame->close();
        }
    }
    m_closing.removeAll(document);
}

bool CDocumentManager::CloseDocument(CGraphDocument* document)
{
    if (!SaveModified(document)) {
        return false;
    }
    CloseWindowsOf(document);
    return true;
}

bool CDocumentManager::CloseAllDocuments()
{
    const QList<CGraphDocument*> documents = m_documents;
    for (CGraphDocument* document : documents) {
        if (!m_documents.contains(document)) {
            continue;
        }
        if (!SaveModified(document)) {
            return false;
        }
        CloseWindowsOf(document);
    }
    return true;
}

bool CDocumentManager::CanCloseView(CZelView* view)
{
    CGraphDocument* document = view->GetDocument();
    if (document->Views().size() > 1 || m_closing.contains(document)) {
        return true;
    }
    return SaveModified(document);
}

void CDocumentManager::ViewClosed(CZelView* view)
{
    CGraphDocument* document = view->GetDocument();
    document->RemoveView(view);
    if (document->Views().isEmpty()) {
        m_documents.removeAll(document);
        document->deleteLater();
    }
    emit documentsChanged();
}
