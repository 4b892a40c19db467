#include "dialogs/general/TipDialog.h"

#include "engine/TextEncoding.h"
#include "framework/CommandIds.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/Pictures.h"
#include "framework/Resources.h"
#include "framework/SettingsStore.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTip = QStringLiteral("Tip");

// Tips written today are UTF-8; older files were written in Windows-1252 and still read so.
QString DecodeTip(const std::string& bytes)
{
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (!text.contains(QChar::ReplacementCharacter) || bytes.find("\xEF\xBF\xBD") != std::string::npos) {
        return text;
    }
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

} // namespace

QStringList CTipDialog::TipsFileCandidates()
{
    const QString name = QStringLiteral("tips.txt");
    const QDir programDir{QCoreApplication::applicationDirPath()};
    // The window runs from <prefix>/libexec/vexplot/ once installed, two folders below the prefix.
    return {QDir::current().filePath(name), programDir.filePath(name),
            QDir::cleanPath(programDir.filePath(QStringLiteral("../share/vexplot/") + name)),
            QDir::cleanPath(programDir.filePath(QStringLiteral("../../share/vexplot/") + name))};
}

QString CTipDialog::LocateTipsFile()
{
    for (const QString& candidate : TipsFileCandidates()) {
        if (QFileInfo{candidate}.isFile()) {
            return candidate;
        }
    }
    return QStringLiteral("tips.txt");
}

CTipDialog::CTipDialog(QWidget* parent, const QString& tipsFile) : QDialog{parent}
{
    SetHelpPage(this, "optionen.html#tip");
    setObjectName(DialogName(IDD_TIP));
    setWindowTitle(QStringLiteral("Tip des Tages"));

    auto* frame = new QFrame{this};
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_panel = new QWidget{frame};
    m_panel->setObjectName(ControlName(IDC_TIP_PANEL));
    m_tip = new QLabel{m_panel};
    m_tip->setObjectName(ControlName(IDC_TIP_TEXT));
    m_tip->setWordWrap(true);
    m_tip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_tip->setTextFormat(Qt::PlainText);
    m_tip->setAutoFillBackground(true);
    QPalette white = m_tip->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_tip->setPalette(white);
    auto* panelLayout = new QVBoxLayout{m_panel};
    // The picture and the heading take the top of the white panel; the dialog paints them.
    panelLayout->setContentsMargins(14, TipPicture().height() + 12, 10, 10);
    panelLayout->addWidget(m_tip, 1);
    auto* frameLayout = new QVBoxLayout{frame};
    frameLayout->setContentsMargins(10, 10, 10, 10);
    frameLayout->addWidget(m_panel);

    m_startUp = new QCheckBox{QStringLiteral("Beim St&art anzeigen"), this};
    m_startUp->setObjectName(ControlName(IDC_TIP_AT_START));
    m_next = new QPushButton{QStringLiteral("&Nächster Tip"), this};
    m_next->setObjectName(ControlName(IDC_NEXT_TIP));
    m_next->setAutoDefault(false);
    auto* close = new QPushButton{QStringLiteral("&Schließen"), this};
    close->setObjectName(kIdOk);
    close->setDefault(true);
    connect(m_next, &QPushButton::clicked, this, [this] {
        // The box is the user's choice from the moment it is clicked; the next tip keeps it.
        m_showAtStart = m_startUp->isChecked() ? 1 : 0;
        ReadNextTip();
        UpdateControls();
    });
    connect(close, &QPushButton::clicked, this, &CTipDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_startUp);
    buttons->addStretch();
    buttons->addWidget(m_next);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout{this};
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    resize(420, 300);

    CSettingsStore& store = CSettingsStore::Instance();
    m_showAtStart = store.GetProfileInt(kTip, QStringLiteral("StartUp"), 0) == 0 ? 1 : 0;
    const long position = store.GetProfileInt(kTip, QStringLiteral("FilePos"), 0);

    const QString path = tipsFile.isEmpty() ? LocateTipsFile() : tipsFile;
    auto file = std::make_unique<CTipFile>(QFile::encodeName(path).toStdString());
    if (file->IsOpen()) {
        m_file = std::move(file);
        const QString stamp = QString::fromLocal8Bit(m_file->TimeStamp());
        long start = position;
        if (stamp != store.GetProfileString(kTip, QStringLiteral("TimeStamp"), QString())) {
            store.WriteProfileString(kTip, QStringLiteral("TimeStamp"), stamp);
            start = 0;
        }
        if (m_file->Seek(start)) {
            ReadNextTip();
        } else {
            ShowReadError();
        }
    } else {
        m_tipText = LoadString(IDS_TIP_FILE_MISSING);
        m_next->setEnabled(false);
    }
    UpdateControls();
}

CTipDialog::~CTipDialog()
{
    if (m_file) {
        CSettingsStore::Instance().WriteProfileInt(kTip, QStringLiteral("FilePos"),
                                                   static_cast<int>(m_file->Tell()));
    }
}

void CTipDialog::ReadNextTip()
{
    const std::optional<std::string> tip = m_file->NextTip();
    if (tip) {
        m_tipText = DecodeTip(*tip);
    } else {
        // The file holds comments only: say so, as there is nothing to step through.
        m_tipText = LoadString(IDS_TIP_FILE_EMPTY);
        m_next->setEnabled(false);
    }
}

void CTipDialog::ShowReadError()
{
    QMessageBox::warning(parentWidget(), LoadString(IDS_APP_TITLE), LoadString(IDS_TIP_READ_ERROR));
}

void CTipDialog::UpdateControls()
{
    m_startUp->setChecked(m_showAtStart != 0);
    QString shown = m_tipText;
    while (shown.endsWith(QLatin1Char('\n')) || shown.endsWith(QLatin1Char('\r'))) {
        shown.chop(1);
    }
    m_tip->setText(shown);
}

void CTipDialog::accept()
{
    m_showAtStart = m_startUp->isChecked() ? 1 : 0;
    CSettingsStore::Instance().WriteProfileInt(kTip, QStringLiteral("StartUp"), m_showAtStart == 0 ? 1 : 0);
    QDialog::accept();
}

void CTipDialog::paintEvent(QPaintEvent*)
{
    const QRect panel{m_panel->mapTo(this, QPoint{0, 0}), m_panel->size()};
    QPainter painter{this};
    painter.fillRect(panel, Qt::white);
    const QImage picture = TipPicture();
    painter.drawImage(panel.topLeft() + QPoint{4, 4}, picture);

    QFont heading = font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    painter.setFont(heading);
    painter.setPen(Qt::black);
    const QRect headingRect{panel.left() + picture.width() + 14, panel.top() + 4,
                            panel.width() - picture.width() - 18, picture.height()};
    painter.drawText(headingRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     LoadString(IDS_TIP_HEADING));
}
