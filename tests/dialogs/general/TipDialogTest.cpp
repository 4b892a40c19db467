#include "dialogs/general/TipDialog.h"
#include "dialogs/general/TipFile.h"
#include "framework/SettingsStore.h"

#include "PipeRescue.h"
#include "WidgetTestSupport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

const QString kTip = QStringLiteral("Tip");

template <class T> T* Control(QWidget& parent, const char* name)
{
    T* control = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

class TipDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { UseFreshSettings(); }

    QString WriteTips(const std::string& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("tips.txt"));
        QFile file{path};
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    static int StoredInt(const char* entry, int absent = -1)
    {
        return CSettingsStore::Instance().GetProfileInt(kTip, QString::fromLatin1(entry), absent);
    }
    static void StoreInt(const char* entry, int value)
    {
        CSettingsStore::Instance().WriteProfileInt(kTip, QString::fromLatin1(entry), value);
    }
    static QString StoredStamp()
    {
        return CSettingsStore::Instance().GetProfileString(kTip, QStringLiteral("TimeStamp"),
                                                           QStringLiteral("<none>"));
    }
    static QString StampOf(const QString& path)
    {
        return QString::fromLocal8Bit(CTipFile{QFile::encodeName(path).toStdString()}.TimeStamp());
    }

    QTemporaryDir m_dir;
};

// The tips a dialog shows: the first, then one more for each press of "&Nächster Tip".
QStringList ShownTips(CTipDialog& dialog, int presses)
{
    QStringList tips{dialog.TipText()};
    auto* next = Control<QPushButton>(dialog, "IDC_1002");
    for (int i = 0; i < presses; ++i) {
        QTest::mouseClick(next, Qt::LeftButton);
        tips << dialog.TipText();
    }
    return tips;
}

TEST_F(TipDialogTest, TipsFromTheFile)
{
    const std::string a999(999, 'a');
    const struct
    {
        const char* name;
        std::string file;
        int presses;
        QStringList tips;
    } cases[] = {
        {"two tips, three presses", "Eins\nZwei\n", 3, {"Eins\n", "Zwei\n", "Eins\n", "Zwei\n"}},
        {"comments and empty lines are skipped",
         "; Kommentar\n mit Leerzeichen\n\tmit Tabulator\n\nEins\n;\n\n\nZwei\n; Ende\n",
         2,
         {"Eins\n", "Zwei\n", "Eins\n"}},
        {"a 2500-character line in three pieces",
         std::string(999, 'a') + std::string(999, 'b') + std::string(502, 'c') + "\n",
         3,
         {QString(999, 'a'), QString(999, 'b'), QString(502, 'c') + "\n", QString(999, 'a')}},
        {"a piece that starts with a blank is a comment",
         std::string(999, 'a') + " rest\nZwei\n",
         2,
         {QString(999, 'a'), "Zwei\n", QString(999, 'a')}},
        {"a last line without its line end", "Eins\nZwei", 2, {"Eins\n", "Zwei", "Eins\n"}},
        {"empty lines of CR LF files", "Eins\r\n\r\nZwei\r\n", 2, {"Eins\r\n", "Zwei\r\n", "Eins\r\n"}},
        {"Windows-1252 text",
         "Gr\xFC\xDF"
         "e\n",
         0,
         {QStringLiteral("Grüße\n")}},
        {"UTF-8 text",
         "Gr\xC3\xBC\xC3\x9F"
         "e\n",
         0,
         {QStringLiteral("Grüße\n")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseFreshSettings();
        const QString path = WriteTips(c.file);
        CTipDialog dialog{nullptr, path};
        EXPECT_EQ(ShownTips(dialog, c.presses), c.tips);
        EXPECT_TRUE(Control<QPushButton>(dialog, "IDC_1002")->isEnabled());
    }
}

TEST_F(TipDialogTest, EveryConstructionAdvancesTheStoredPosition)
{
    const QString path = WriteTips("; Kopf\nEins\nZwei\n");
    QStringList firstTips;
    for (int run = 0; run < 3; ++run) {
        CTipDialog dialog{nullptr, path};
        firstTips << dialog.TipText();
    }
    EXPECT_EQ(firstTips, (QStringList{"Eins\n", "Zwei\n", "Eins\n"}));
    EXPECT_EQ(StoredInt("FilePos"), 12); // just past "Eins\n"
    EXPECT_EQ(StoredStamp(), StampOf(path));
    EXPECT_FALSE(StoredStamp().isEmpty());
    EXPECT_FALSE(StoredStamp().endsWith('\n'));
}

TEST_F(TipDialogTest, StoredPositionAndTimeStamp)
{
    const QString path = WriteTips("Eins\nZwei\n");
    const struct
    {
        const char* name;
        int filePos;
        bool sameStamp;
        QString tip;
    } cases[] = {
        {"position of the second tip", 5, true, "Zwei\n"},
        {"position past the end wraps to the first tip", 5000, true, "Eins\n"},
        {"a changed time stamp starts again at the top", 5, false, "Eins\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseFreshSettings();
        StoreInt("FilePos", c.filePos);
        CSettingsStore::Instance().WriteProfileString(
            kTip, QStringLiteral("TimeStamp"), c.sameStamp ? StampOf(path) : QStringLiteral("gestern"));
        {
            CTipDialog dialog{nullptr, path};
            EXPECT_EQ(dialog.TipText(), c.tip);
        }
        EXPECT_EQ(StoredStamp(), StampOf(path));
    }
}

TEST_F(TipDialogTest, FilesWithoutTipsEndTheSearch)
{
    const char* const files[] = {"", "; nur Kommentare\n\n  eingerückt\n", "\n\n\n"};
    for (const char* content : files) {
        SCOPED_TRACE(content);
        UseFreshSettings();
        StoreInt("FilePos", 3);
        const QString path = WriteTips(content);
        CTipDialog dialog{nullptr, path};
        EXPECT_EQ(dialog.TipText(), QStringLiteral("Die Tipdatei enthält keinen Tip"));
        EXPECT_FALSE(Control<QPushButton>(dialog, "IDC_1002")->isEnabled());
    }
}

TEST_F(TipDialogTest, MissingFile)
{
    StoreInt("FilePos", 7);
    {
        CTipDialog dialog{nullptr, m_dir.filePath(QStringLiteral("fehlt.txt"))};
        EXPECT_EQ(dialog.TipText(), QStringLiteral("Die Tipdatei wurde nicht gefunden"));
        EXPECT_FALSE(Control<QPushButton>(dialog, "IDC_1002")->isEnabled());
        EXPECT_EQ(Control<QLabel>(dialog, "IDC_1004")->text(),
                  QStringLiteral("Die Tipdatei wurde nicht gefunden"));
    }
    EXPECT_EQ(StoredInt("FilePos"), 7);
    EXPECT_EQ(StoredStamp(), QStringLiteral("<none>"));
}

TEST_F(TipDialogTest, RefusedPositionIsReported)
{
    const QString path = WriteTips("Eins\nZwei\n");
    StoreInt("FilePos", -5);
    CSettingsStore::Instance().WriteProfileString(kTip, QStringLiteral("TimeStamp"), StampOf(path));
    CMessageBoxCatcher messages;
    CTipDialog dialog{nullptr, path};
    EXPECT_EQ(messages.texts, QStringList{QStringLiteral("Fehler beim Lesen der Tipdatei")});
    EXPECT_TRUE(dialog.TipText().isEmpty());
    // The next tip is still there for the asking.
    QTest::mouseClick(Control<QPushButton>(dialog, "IDC_1002"), Qt::LeftButton);
    EXPECT_EQ(dialog.TipText(), QStringLiteral("Eins\n"));
}

TEST_F(TipDialogTest, ShowAtStartIsWrittenOnlyByClose)
{
    const QString path = WriteTips("Eins\n");
    const struct
    {
        int stored; // -1: not stored
        bool shownChecked;
        bool uncheck;
        bool close; // "&Schließen", else Escape
        int written;
    } cases[] = {
        {-1, true, false, true, 0}, {-1, true, true, true, 1},   {-1, true, true, false, -1},
        {1, false, false, true, 1}, {3, false, false, false, 3}, {0, true, true, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << " " << c.uncheck << " " << c.close);
        UseFreshSettings();
        if (c.stored >= 0) {
            StoreInt("StartUp", c.stored);
        }
        CTipDialog dialog{nullptr, path};
        EXPECT_EQ(dialog.ShowAtStart(), c.shownChecked);
        dialog.show();
        auto* box = Control<QCheckBox>(dialog, "IDC_1001");
        EXPECT_EQ(box->isChecked(), c.shownChecked);
        if (c.uncheck) {
            box->setChecked(false);
        }
        // The next tip leaves the box as the user set it.
        QTest::mouseClick(Control<QPushButton>(dialog, "IDC_1002"), Qt::LeftButton);
        EXPECT_EQ(box->isChecked(), c.shownChecked && !c.uncheck);
        if (c.close) {
            QTest::mouseClick(Control<QPushButton>(dialog, "IDOK"), Qt::LeftButton);
        } else {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(StoredInt("StartUp"), c.written);
    }
}

TEST_F(TipDialogTest, NextTipKeepsTheCheckBoxAsTheUserSetIt)
{
    const QString path = WriteTips("Eins\nZwei\n");
    CTipDialog dialog{nullptr, path};
    dialog.show();
    auto* box = Control<QCheckBox>(dialog, "IDC_1001");
    box->setChecked(false);
    QTest::mouseClick(Control<QPushButton>(dialog, "IDC_1002"), Qt::LeftButton);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(Control<QLabel>(dialog, "IDC_1004")->text(), QStringLiteral("Zwei"));
}

TEST_F(TipDialogTest, FileInTheCurrentDirectoryComesFirst)
{
    const QString path = WriteTips("Eins\n");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const QString found = CTipDialog::LocateTipsFile();
    QDir::setCurrent(previous);
    EXPECT_EQ(QFileInfo{found}.canonicalFilePath(), QFileInfo{path}.canonicalFilePath());
    const QStringList candidates = CTipDialog::TipsFileCandidates();
    ASSERT_EQ(candidates.size(), 4);
    EXPECT_TRUE(candidates[2].endsWith(QStringLiteral("/share/vexplot/tips.txt")));
    // Installed, the window runs from libexec/vexplot/, two folders below the prefix.
    EXPECT_EQ(candidates[3], QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                             QStringLiteral("/../../share/vexplot/tips.txt")));
}

// The file that ships with the program: enough tips, each short enough to be one piece.
TEST(TipsFile, ShippedFileHoldsAtLeast25Tips)
{
    const QString path = QStringLiteral(VEX_RESOURCES_DIR "/tips.txt");
    CTipFile file{QFile::encodeName(path).toStdString()};
    ASSERT_TRUE(file.IsOpen()) << path.toStdString();
    std::vector<std::string> tips;
    for (;;) {
        const std::optional<std::string> tip = file.NextTip();
        ASSERT_TRUE(tip.has_value());
        if (!tips.empty() && *tip == tips.front()) {
            break;
        }
        EXPECT_EQ(tip->back(), '\n') << "longer than one piece: " << *tip;
        EXPECT_FALSE(QString::fromUtf8(tip->data(), static_cast<qsizetype>(tip->size()))
                         .contains(QChar::ReplacementCharacter));
        tips.push_back(*tip);
    }
    EXPECT_GE(tips.size(), 25u);
}

} // namespace

namespace {

// Whatever stands where the tips file should be, the start is not held up: a pipe nobody writes
// to, an endless device, or a huge file without a single tip.
TEST(TipsFile, NothingInItsPlaceHoldsUpTheStart)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString zero = dir.filePath(QStringLiteral("zero.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString empty = dir.filePath(QStringLiteral("empty-lines.txt"));
    {
        QFile file{empty};
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray lines(1 << 20, '\n');
        for (int i = 0; i < 50; ++i) {
            ASSERT_EQ(file.write(lines), lines.size());
        }
    }
    const struct
    {
        const char* what;
        QString path;
        bool opens;
    } cases[] = {
        {"pipe", fifo, false}, {"link to /dev/zero", zero, false}, {"50 MB of empty lines", empty, true}};
    for (const auto& c : cases) {
        CPipeRescue rescue{QFile::encodeName(fifo).toStdString()};
        CTipFile file{QFile::encodeName(c.path).toStdString()};
        EXPECT_EQ(file.IsOpen(), c.opens) << c.what;
        EXPECT_FALSE(file.NextTip().has_value()) << c.what;
        EXPECT_FALSE(rescue.Done()) << c.what << ": waited on the pipe";
    }
}

// Only the first megabyte counts: a tip beyond it is never read.
TEST(TipsFile, ReadsAtMostOneMegabyte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tips.txt"));
    QFile out{path};
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray(static_cast<qsizetype>(CTipFile::kMaxBytes) - 5, '\n') + "Eins\nZwei\n");
    out.close();
    CTipFile file{QFile::encodeName(path).toStdString()};
    EXPECT_EQ(file.NextTip(), std::optional<std::string>{"Eins\n"});
    EXPECT_EQ(file.NextTip(), std::optional<std::string>{"Eins\n"});
}

} // namespace
