#include "AppTestSupport.h"

#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MailSender.h"
#include "app/MainFrame.h"
#include "framework/CommandIds.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Stand-ins for the desktop tools: xdg-email writes its arguments, one a line, beside itself;
// xdg-mime names the given mail program (or none).
class MailSenderTest : public ::testing::Test
{
protected:
    void TearDown() override { CMailSender::SetToolFolder(QString{}); }

    void InstallTools(bool email, const QString& mailHandler)
    {
        if (email) {
            WriteScript(QStringLiteral("xdg-email"),
                        QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                                       "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args.txt\"\n"));
        }
        WriteScript(QStringLiteral("xdg-mime"), QStringLiteral("#!/bin/sh\necho '%1'\n").arg(mailHandler));
        CMailSender::SetToolFolder(m_tools.path());
    }

    QStringList SentArguments()
    {
        const QString path = m_tools.filePath(QStringLiteral("args.txt"));
        // The bound only ends a wait for a tool that never writes.
        QFile file{path};
        if (!QTest::qWaitFor([&] { return QFileInfo::exists(path); }, 30000) ||
            !file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir m_tools;

private:
    void WriteScript(const QString& name, const QString& text)
    {
        QFile file{m_tools.filePath(name)};
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

TEST_F(MailSenderTest, AvailableOnlyWithTheToolsAndAMailProgram)
{
    struct SCase
    {
        bool email;
        const char* handler;
        bool available;
    };
    const SCase cases[] = {
        {false, "", false},
        {true, "", false},
        {false, "thunderbird.desktop", false},
        {true, "thunderbird.desktop", true},
    };
    for (const SCase& c : cases) {
        QFile::remove(m_tools.filePath(QStringLiteral("xdg-email")));
        InstallTools(c.email, QString::fromLatin1(c.handler));
        EXPECT_EQ(CMailSender::IsAvailable(), c.available) << c.email << " " << c.handler;
    }
}

TEST_F(MailSenderTest, TheCommandIsDisabledWithoutAMailProgram)
{
    InstallTools(false, QString{});
    CMainFrame frame;
    frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
    frame.DocumentManager()->NewDocument();
    frame.UpdateCommandUI();
    EXPECT_FALSE(frame.Action(ID_FILE_SEND_MAIL)->isEnabled());

    InstallTools(true, QStringLiteral("evolution.desktop"));
    frame.UpdateCommandUI();
    EXPECT_TRUE(frame.Action(ID_FILE_SEND_MAIL)->isEnabled());

    // Nothing to send without a document.
    frame.DocumentManager()->CloseAllDocuments();
    frame.UpdateCommandUI();
    EXPECT_FALSE(frame.Action(ID_FILE_SEND_MAIL)->isEnabled());
}

TEST_F(MailSenderTest, AnUnsavedDocumentGoesAsACopyUnderItsName)
{
    InstallTools(true, QStringLiteral("thunderbird.desktop"));
    CGraphDocument document;
    document.SetTitle(QStringLiteral("Graph1"));
    CGraphFunction f;
    f.SetTerm("sin(x)");
    document.Model().SetFunctions({f});

    QString error;
    ASSERT_TRUE(CMailSender::Send(document, error)) << error.toStdString();
    const QStringList arguments = SentArguments();
    ASSERT_EQ(arguments.size(), 4);
    EXPECT_EQ(arguments[0], QStringLiteral("--subject"));
    EXPECT_EQ(arguments[1], QStringLiteral("Graph1"));
    EXPECT_EQ(arguments[2], QStringLiteral("--attach"));
    EXPECT_EQ(QFileInfo{arguments[3]}.fileName(), QStringLiteral("Graph1.zel"));

    const std::vector<std::uint8_t> expected = WriteGraphFile(document.Model());
    EXPECT_EQ(ReadBytes(arguments[3]), QByteArray(reinterpret_cast<const char*>(expected.data()),
                                                  static_cast<qsizetype>(expected.size())));
    // The document itself is neither saved nor renamed.
    EXPECT_TRUE(document.GetPathName().isEmpty());
    EXPECT_TRUE(document.IsModified());
    QDir{QFileInfo{arguments[3]}.path()}.removeRecursively();
}

TEST_F(MailSenderTest, AttachmentIsTheFileOnlyWhileItIsUpToDate)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("parabel.zel"));
    WriteBytes(path, SampleGraphBytes("x^2"));
    CGraphDocument document;
    QString error;
    ASSERT_TRUE(document.Load(path, error));

    EXPECT_EQ(CMailSender::AttachmentFor(document, error), document.GetPathName());

    // Changed since saving: the current content goes, the file on disk stays as it is.
    CGraphFunction f;
    f.SetTerm("x^3");
    document.Model().SetFunctions({f});
    const QString copy = CMailSender::AttachmentFor(document, error);
    ASSERT_FALSE(copy.isEmpty()) << error.toStdString();
    EXPECT_NE(copy, document.GetPathName());
    EXPECT_EQ(QFileInfo{copy}.fileName(), QStringLiteral("parabel.zel"));
    EXPECT_EQ(ReadBytes(copy), SampleGraphBytes("x^3"));
    EXPECT_EQ(ReadBytes(path), SampleGraphBytes("x^2"));

    // Two copies never share a file.
    const QString second = CMailSender::AttachmentFor(document, error);
    EXPECT_NE(second, copy);
    EXPECT_TRUE(QFileInfo::exists(copy));
    QDir{QFileInfo{copy}.path()}.removeRecursively();
    QDir{QFileInfo{second}.path()}.removeRecursively();
}

} // namespace
