#include "AppTestSupport.h"

#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "app/ZelApp.h"
#include "framework/CommandIds.h"
#include "framework/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cfenv>
#include <functional>

namespace {

struct Answers
{
    QMessageBox::StandardButton saveAnswer{QMessageBox::No};
    QString saveName;
    QStringList errors;
    int questions{0};
};

void Prepare(CMainFrame& frame, Answers& answers)
{
    CDocumentManager* manager = frame.DocumentManager();
    manager->askSave = [&answers](const QString&) {
        ++answers.questions;
        return answers.saveAnswer;
    };
    manager->askSaveFileName = [&answers](const QString&) { return answers.saveName; };
    manager->showError = [&answers](const QString& message) { answers.errors << message; };
}

void MakeChange(CGraphDocument* document)
{
    CGraphFunction f;
    f.SetTerm("sin(x)");
    document->Model().SetFunctions({f});
}

TEST(DocumentManager, SaveAndReopenRoundTripsTheFileByteForByte)
{
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("original.zel"));
    WriteBytes(original, SampleGraphBytes("x^3-3*x"));

    CMainFrame frame;
    Answers answers;
    Prepare(frame, answers);
    CGraphDocument* document = frame.DocumentManager()->OpenDocument(original);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetTitle(), "original.zel");
    EXPECT_FALSE(document->IsModified());

    answers.saveName = dir.filePath(QStringLiteral("copy")); // typed without extension
    ASSERT_TRUE(frame.DocumentManager()->SaveDocumentAs(document));
    const QString copy = dir.filePath(QStringLiteral("copy.zel"));
    EXPECT_EQ(document->GetPathName(), copy);
    EXPECT_EQ(ReadBytes(copy), ReadBytes(original));
    EXPECT_TRUE(answers.errors.isEmpty());
    frame.DocumentManager()->CloseAllDocuments();
}

TEST(DocumentManager, SavingClearsTheModifiedFlagAndKeepsUndo)
{
    QTemporaryDir dir;
    CMainFrame frame;
    Answers answers;
    Prepare(frame, answers);
    CGraphDocument* document = frame.DocumentManager()->NewDocument();
    MakeChange(document);
    answers.saveName = dir.filePath(QStringLiteral("g.zel"));
    ASSERT_TRUE(frame.DocumentManager()->SaveDocument(document));
    EXPECT_FALSE(document->IsModified());
    EXPECT_TRUE(document->Model().CanUndo());
    EXPECT_EQ(CSettingsStore::Instance().RecentFiles().first(), answers.saveName);
    frame.DocumentManager()->CloseAllDocuments();
}

TEST(DocumentManager, AFailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.zel"));
    const QByteArray before = SampleGraphBytes("x");
    WriteBytes(path, before);

    CMainFrame frame;
    Answers answers;
    Prepare(frame, answers);
    CGraphDocument* document = frame.DocumentManager()->OpenDocument(path);
    ASSERT_NE(document, nullptr);
    MakeChange(document);
    // A directory cannot be written; nothing at the old place may change.
    answers.saveName = dir.filePath(QStringLiteral("no/such/dir/g.zel"));
    EXPECT_FALSE(frame.DocumentManager()->SaveDocumentAs(document));
    EXPECT_EQ(answers.errors.size(), 1);
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(document->GetPathName(), path);
    EXPECT_EQ(ReadBytes(path), before);
    frame.DocumentManager()->CloseAllDocuments();
}

TEST(DocumentManager, ATruncatedFileOpensNoWindowAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("short.zel"));
    WriteBytes(path, SampleGraphBytes().left(40));

    CMainFrame frame;
    Answers answers;
    Prepare(frame, answers);
    EXPECT_EQ(frame.DocumentManager()->OpenDocument(path), nullptr);
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    ASSERT_EQ(answers.errors.size(), 1);
    EXPECT_TRUE(answers.errors.first().contains(QStringLiteral("short.zel")));

    EXPECT_EQ(frame.DocumentManager()->OpenDocument(dir.filePath(QStringLiteral("missing.zel"))), nullptr);
    EXPECT_EQ(answers.errors.size(), 2);
}

TEST(DocumentManager, OpeningAnOpenFileActivatesItsWindow)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("twice.zel"));
    WriteBytes(path, SampleGraphBytes());
    CMainFrame frame;
    Answers answers;
    Prepare(frame, answers);
    CGraphDocument* first = frame.DocumentManager()->OpenDocument(path);
    frame.DocumentManager()->NewDocument();
    EXPECT_EQ(frame.DocumentManager()->OpenDocument(path), first);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 2);
    frame.DocumentManager()->CloseAllDocuments();
}

TEST(DocumentManager, SaveQuestionAnswers)
{
    const struct
    {
        QMessageBox::StandardButton answer;
        bool closes;
    } cases[] = {{QMessageBox::Cancel, false}, {QMessageBox::No, true}, {QMessageBox::Yes, true}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        CMainFrame frame;
        Answers answers;
        Prepare(frame, answers);
        answers.saveName = dir.filePath(QStringLiteral("saved.zel"));
        CGraphDocument* document = frame.DocumentManager()->NewDocument();
        MakeChange(document);
        answers.saveAnswer = c.answer;
        frame.MdiArea()->subWindowList().first()->close();
        QApplication::processEvents();
        EXPECT_EQ(answers.questions, 1);
        EXPECT_EQ(frame.MdiArea()->subWindowList().isEmpty(), c.closes) << c.answer;
        EXPECT_EQ(QFile::exists(answers.saveName), c.answer == QMessageBox::Yes) << c.answer;
        answers.saveAnswer = QMessageBox::No;
        frame.DocumentManager()->CloseAllDocuments();
    }
}

TEST(DocumentManager, CancelAtExitKeepsEveryWindow)
{
    CMainFrame frame;
    Answers answers;
    Prepare(frame, answers);
    MakeChange(frame.DocumentManager()->NewDocument());
    MakeChange(frame.DocumentManager()->NewDocument());
    answers.saveAnswer = QMessageBox::Cancel;
    frame.show();
    EXPECT_FALSE(frame.close());
    QApplication::processEvents();
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 2);
    answers.saveAnswer = QMessageBox::No;
}

TEST(DocumentManager, UnmodifiedDocumentsCloseWithoutAQuestion)
{
    CMainFrame frame;
    Answers answers;
    Prepare(frame, answers);
    frame.DocumentManager()->NewDocument();
    EXPECT_TRUE(frame.DocumentManager()->CloseAllDocuments());
    EXPECT_EQ(answers.questions, 0);
}

TEST(CommandLine, OpensTheNamedFileOrANewDocument)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cmd.zel"));
    WriteBytes(path, SampleGraphBytes());
    {
        CMainFrame frame;
        ASSERT_TRUE(CZelApp::ProcessCommandLine(frame, {path}));
        ASSERT_EQ(frame.DocumentManager()->Documents().size(), 1);
        EXPECT_EQ(frame.DocumentManager()->Documents().first()->GetPathName(), path);
    }
    {
        CMainFrame frame;
        ASSERT_TRUE(CZelApp::ProcessCommandLine(frame, {}));
        ASSERT_EQ(frame.DocumentManager()->Documents().size(), 1);
        EXPECT_TRUE(frame.DocumentManager()->Documents().first()->GetPathName().isEmpty());
    }
}

// Someone who double-clicks a damaged file in a file manager has no terminal to read stderr.
TEST(CommandLine, AFileThatCannotBeOpenedIsReportedInAMessageBox)
{
    QTemporaryDir dir;
    const QString truncated = dir.filePath(QStringLiteral("short.zel"));
    WriteBytes(truncated, SampleGraphBytes().left(10));
    const QString empty = dir.filePath(QStringLiteral("empty.zel"));
    WriteBytes(empty, QByteArray());
    for (const QString& path : {dir.filePath(QStringLiteral("none.zel")), truncated, empty}) {
        CMainFrame frame;
        Answers answers;
        Prepare(frame, answers);
        EXPECT_FALSE(CZelApp::ProcessCommandLine(frame, {path})) << path.toStdString();
        EXPECT_TRUE(frame.DocumentManager()->Documents().isEmpty()) << path.toStdString();
        ASSERT_EQ(answers.errors.size(), 1) << path.toStdString();
        EXPECT_TRUE(answers.errors.first().contains(QFileInfo(path).fileName())) << path.toStdString();
    }
}

// Opens the dialog a file command shows, notes its filters and cancels it.
struct SShownFilters
{
    QStringList filters;
    QString selected;
};

SShownFilters FiltersOfTheDialog(const std::function<void()>& openDialog)
{
    SShownFilters shown;
    QTimer::singleShot(0, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
                shown.filters = dialog->nameFilters();
                shown.selected = dialog->selectedNameFilter();
                dialog->reject();
            }
        }
    });
    openDialog();
    return shown;
}

TEST(FileDialogs, OfferGraphFilesFirstAndAllFilesSecond)
{
    CMainFrame frame;
    CDocumentManager* manager = frame.DocumentManager();
    const std::function<void()> dialogs[] = {
        [manager] { manager->askOpenFileName(); },
        [manager] { manager->askSaveFileName(QStringLiteral("Graph1")); },
    };
    for (const auto& openDialog : dialogs) {
        const SShownFilters shown = FiltersOfTheDialog(openDialog);
        EXPECT_EQ(shown.filters, (QStringList{"Funktions-Graphen (*.zel)", "Alle Dateien (*)"}));
        EXPECT_EQ(shown.selected, "Funktions-Graphen (*.zel)");
    }
}

TEST(RecentFiles, TheFileMenuShowsThemNewestFirst)
{
    QTemporaryDir dir;
    CMainFrame frame;
    Answers answers;
    Prepare(frame, answers);
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        paths << dir.filePath(QStringLiteral("r%1.zel").arg(i));
        WriteBytes(paths.last(), SampleGraphBytes());
        frame.DocumentManager()->OpenDocument(paths.last());
    }
    EXPECT_EQ(CSettingsStore::Instance().RecentFiles(),
              (QStringList{paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_TRUE(frame.Action(ID_FILE_MRU_FILE1)->text().endsWith(QStringLiteral("r4.zel")));
    EXPECT_TRUE(frame.Action(ID_FILE_MRU_FILE1 + 3)->text().startsWith(QStringLiteral("&4 ")));
    frame.DocumentManager()->CloseAllDocuments();
}

TEST(FloatingPoint, TrapsAreMasked)
{
    CZelApp::InstallFloatingPointHandling();
    EXPECT_EQ(fegetexcept(), 0);
}

} // namespace
