#include "dialogs/function/FPCommentPage.h"

#include "dialogs/function/ColorSwatch.h"

#include "framework/Cp1252TextEdit.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"

#include <QColor>
#include <QColorDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CFPCommentPage::CFPCommentPage(QWidget* parent)
    : CPropertyPage{IDD_FP_COMMENT, QStringLiteral("Sonstiges"), parent}
{
    SetHelpPage(this, "daten.html#funktion");
    auto* commentGroup = new QGroupBox{QStringLiteral("&Kommentar:"), this};
    m_commentField = new CCp1252TextEdit{kMaxCommentLength, commentGroup};
    m_commentField->setObjectName(ControlName(IDC_COMMENT));
    m_commentField->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* commentLayout = new QVBoxLayout{commentGroup};
    commentLayout->addWidget(m_commentField);

    auto* colorGroup = new QGroupBox{QStringLiteral("Farbe"), this};
    auto* colorLabel = new QLabel{QStringLiteral("Farbe der Funktion im Graphen:"), colorGroup};
    m_colorButton = new QPushButton{QStringLiteral("Wählen..."), colorGroup};
    m_colorButton->setObjectName(ControlName(IDC_COLOR));
    m_colorButton->setAutoDefault(false);
    auto* colorLayout = new QHBoxLayout{colorGroup};
    colorLayout->addWidget(colorLabel);
    colorLayout->addStretch();
    m_swatch = new CColorSwatch{colorGroup};
    colorLayout->addWidget(m_swatch);
    colorLayout->addWidget(m_colorButton);
    connect(m_colorButton, &QPushButton::clicked, this, &CFPCommentPage::OnChooseColor);

    auto* layout = new QVBoxLayout{this};
    layout->addWidget(commentGroup, 1);
    layout->addWidget(colorGroup);
}

bool CFPCommentPage::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_comment = m_commentField->Text();
    } else {
        m_commentField->SetText(m_comment);
        m_swatch->SetColor(m_color);
    }
    return true;
}

void CFPCommentPage::OnChooseColor()
{
    const QColor chosen = QColorDialog::getColor(ColorFromRecord(m_color), this);
    if (chosen.isValid()) {
        m_color = RecordFromColor(chosen);
        m_swatch->SetColor(m_color);
    }
}
