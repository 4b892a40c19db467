#include "dialogs/options/OptGenPage.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

COptGenPage::COptGenPage(QWidget* parent)
    : CPropertyPage{IDD_OPT_GENERAL, QStringLiteral("Allgemein"), parent}
{
    SetHelpPage(this, "optionen.html#allgemein");

    auto* startBox = new QGroupBox{QStringLiteral("Programmstart"), this};
    m_fullScreenBox = new QCheckBox{QStringLiteral("im &Vollbildmodus starten"), startBox};
    m_fullScreenBox->setObjectName(ControlName(IDC_FULL_SCREEN));
    m_showTipBox = new QCheckBox{QStringLiteral("&Tip des Tages anzeigen"), startBox};
    m_showTipBox->setObjectName(ControlName(IDC_SHOW_TIP));
    m_startLogoBox = new QCheckBox{QStringLiteral("&Startbildschirm anzeigen"), startBox};
    m_startLogoBox->setObjectName(ControlName(IDC_START_LOGO));
    auto* startLayout = new QVBoxLayout{startBox};
    for (QCheckBox* box : {m_fullScreenBox, m_showTipBox, m_startLogoBox}) {
        startLayout->addWidget(box);
    }

    auto* precisionBox = new QGroupBox{QStringLiteral("Rechengenauigkeit"), this};
    auto* text = new QLabel{QStringLiteral("Sie können wählen, wie genau zum Beispiel die Null-\n"
                                           "stellen berechnet werden sollen. Beachten Sie, daß die\n"
                                           "Berechnung mit steigender Genauigkeit auch mehr Zeit\n"
                                           "beansprucht."),
                            precisionBox};
    m_slider = new QSlider{Qt::Horizontal, precisionBox};
    m_slider->setObjectName(ControlName(IDC_PRECISION));
    m_slider->setRange(1, 10);
    m_slider->setTickPosition(QSlider::TicksAbove);
    m_slider->setTickInterval(1);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(1);
    auto* faster = new QLabel{QStringLiteral("schneller"), precisionBox};
    auto* finer = new QLabel{QStringLiteral("genauer"), precisionBox};
    finer->setAlignment(Qt::AlignRight);
    auto* precisionLayout = new QGridLayout{precisionBox};
    precisionLayout->addWidget(text, 0, 0, 1, 2);
    precisionLayout->addWidget(m_slider, 1, 0, 1, 2);
    precisionLayout->addWidget(faster, 2, 0);
    precisionLayout->addWidget(finer, 2, 1);

    auto* termBox = new QGroupBox{QStringLiteral("Termeingabe"), this};
    m_schoolBox = new QCheckBox{QStringLiteral("Sch&ulschreibweise"), termBox};
    m_schoolBox->setObjectName(QStringLiteral("schoolNotation"));
    auto* termText = new QLabel{QStringLiteral("x²-3, 2x, -x^2, (x+1)(x-1) und 0,5 werden so gelesen,\n"
                                               "wie sie in der Schule gemeint sind."),
                                termBox};
    auto* termLayout = new QVBoxLayout{termBox};
    termLayout->addWidget(m_schoolBox);
    termLayout->addWidget(termText);

    auto* numberBox = new QGroupBox{QStringLiteral("Zahlenausgabe"), this};
    m_commaBox = new QCheckBox{QStringLiteral("&Dezimalkomma"), numberBox};
    m_commaBox->setObjectName(QStringLiteral("decimalComma"));
    auto* numberText = new QLabel{QStringLiteral("Ergebnisse, Koordinaten, Achsen und kopierte Werte\n"
                                                 "zeigen 1,5 statt 1.5. Terme behalten den Punkt."),
                                  numberBox};
    auto* numberLayout = new QVBoxLayout{numberBox};
    numberLayout->addWidget(m_commaBox);
    numberLayout->addWidget(numberText);

    auto* layout = new QVBoxLayout{this};
    layout->addWidget(startBox);
    layout->addWidget(precisionBox);
    layout->addWidget(termBox);
    layout->addWidget(numberBox);
    layout->addStretch();
    SetData(m_fullScreen, m_showTip, m_startLogo, m_precision);
}

COptGenPage::~COptGenPage() = default;

void COptGenPage::SetSchoolNotation(int on)
{
    m_schoolNotation = on;
    m_schoolBox->setChecked(on != 0);
}

void COptGenPage::SetDecimalComma(int on)
{
    m_decimalComma = on;
    m_commaBox->setChecked(on != 0);
}

void COptGenPage::SetData(int fullScreen, int showTip, int startLogo, int precision)
{
    m_fullScreen = fullScreen;
    m_showTip = showTip;
    m_startLogo = startLogo;
    m_precision = precision;
    UpdateData(false);
}

bool COptGenPage::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate) {
        m_fullScreenBox->setChecked(m_fullScreen != 0);
        m_showTipBox->setChecked(m_showTip != 0);
        m_startLogoBox->setChecked(m_startLogo != 0);
        m_slider->setValue(m_precision);
        m_schoolBox->setChecked(m_schoolNotation != 0);
        m_commaBox->setChecked(m_decimalComma != 0);
        return true;
    }
    m_precision = m_slider->value();
    m_fullScreen = m_fullScreenBox->isChecked() ? 1 : 0;
    m_showTip = m_showTipBox->isChecked() ? 1 : 0;
    m_startLogo = m_startLogoBox->isChecked() ? 1 : 0;
    m_schoolNotation = m_schoolBox->isChecked() ? 1 : 0;
    m_decimalComma = m_commaBox->isChecked() ? 1 : 0;
    return true;
}
