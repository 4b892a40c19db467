#include "dialogs/export/ExportSizeDialog.h"

#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/MessageBoxes.h"
#include "framework/SettingsStore.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Export");
const QString kUnitEntry = QStringLiteral("InCentimetres");
const QString kWidthEntry = QStringLiteral("WidthCm");
const QString kHeightEntry = QStringLiteral("HeightCm");
const QString kDotsPerInchEntry = QStringLiteral("DotsPerInch");

constexpr int kMinDotsPerInch = 72;
constexpr int kMaxDotsPerInch = 2400;

QDoubleSpinBox* MakeCentimetreField(QWidget* parent, const QString& entry, double fallback)
{
    auto* field = new QDoubleSpinBox{parent};
    field->setDecimals(2);
    field->setRange(0.1, 500.0);
    field->setSingleStep(0.5);
    field->setSuffix(QStringLiteral(" cm"));
    // Stored with the point whatever the locale, as every number of the program.
    bool ok = false;
    const double stored =
        CSettingsStore::Instance().GetProfileString(kSection, entry, QString{}).toDouble(&ok);
    field->setValue(ok ? stored : fallback);
    return field;
}

} // namespace

CExportSizeDialog::CExportSizeDialog(QSize size, QWidget* parent) : QDialog{parent}
{
    setObjectName(DialogName(IDD_EXPORT_SIZE));
    setWindowTitle(QStringLiteral("Exportieren"));
    SetHelpPage(this, "dateien.html#exportieren");
    const CSettingsStore& store = CSettingsStore::Instance();
    const auto makeField = [this](int value) {
        auto* field = new QSpinBox{this};
        field->setRange(1, kExportMaxSide);
        field->setValue(std::clamp(value, 1, kExportMaxSide));
        field->setSuffix(QStringLiteral(" Pixel"));
        return field;
    };
    m_inPixels = new QRadioButton{QStringLiteral("in &Pixeln"), this};
    m_inPixels->setObjectName(kIdExportInPixels);
    m_inCentimetres = new QRadioButton{QStringLiteral("in &Zentimetern"), this};
    m_inCentimetres->setObjectName(kIdExportInCentimetres);
    m_width = makeField(size.width());
    m_width->setObjectName(ControlName(IDC_LENGTH));
    m_height = makeField(size.height());
    m_height->setObjectName(ControlName(IDC_HEIGHT));
    // A picture for a page of A4 with room for text around it.
    m_widthCm = MakeCentimetreField(this, kWidthEntry, 12.0);
    m_widthCm->setObjectName(kIdExportWidthCm);
    m_heightCm = MakeCentimetreField(this, kHeightEntry, 8.0);
    m_heightCm->setObjectName(kIdExportHeightCm);
    m_dotsPerInch = new QSpinBox{this};
    m_dotsPerInch->setObjectName(kIdExportDotsPerInch);
    m_dotsPerInch->setRange(kMinDotsPerInch, kMaxDotsPerInch);
    m_dotsPerInch->setSuffix(QStringLiteral(" dpi"));
    m_dotsPerInch->setValue(
        std::clamp(store.GetProfileInt(kSection, kDotsPerInchEntry, SPictureSize::kDefaultDotsPerInch),
                   kMinDotsPerInch, kMaxDotsPerInch));

    // One label per side serves both units; its mnemonic goes to the field of the unit chosen.
    m_widthLabel = new QLabel{QStringLiteral("&Breite:"), this};
    m_heightLabel = new QLabel{QStringLiteral("&Höhe:"), this};
    auto* resolutionLabel = new QLabel{QStringLiteral("&Auflösung:"), this};
    resolutionLabel->setBuddy(m_dotsPerInch);

    auto* grid = new QGridLayout;
    grid->addWidget(m_inPixels, 0, 1);
    grid->addWidget(m_inCentimetres, 0, 2);
    grid->addWidget(m_widthLabel, 1, 0);
    grid->addWidget(m_width, 1, 1);
    grid->addWidget(m_widthCm, 1, 2);
    grid->addWidget(m_heightLabel, 2, 0);
    grid->addWidget(m_height, 2, 1);
    grid->addWidget(m_heightCm, 2, 2);
    grid->addWidget(resolutionLabel, 3, 1, Qt::AlignRight);
    grid->addWidget(m_dotsPerInch, 3, 2);
    setTabOrder(m_inPixels, m_inCentimetres);
    setTabOrder(m_inCentimetres, m_width);
    setTabOrder(m_width, m_height);
    setTabOrder(m_height, m_widthCm);
    setTabOrder(m_widthCm, m_heightCm);
    setTabOrder(m_heightCm, m_dotsPerInch);

    auto* buttons = new QDialogButtonBox{this};
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(kIdOk);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName(kIdCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout{this};
    layout->addLayout(grid);
    layout->addWidget(buttons);

    (store.GetProfileInt(kSection, kUnitEntry, 0) != 0 ? m_inCentimetres : m_inPixels)->setChecked(true);
    connect(m_inCentimetres, &QRadioButton::toggled, this, &CExportSizeDialog::ShowUnit);
    ShowUnit();
}

void CExportSizeDialog::ShowUnit()
{
    const bool cm = m_inCentimetres->isChecked();
    m_width->setEnabled(!cm);
    m_height->setEnabled(!cm);
    m_widthCm->setEnabled(cm);
    m_heightCm->setEnabled(cm);
    m_dotsPerInch->setEnabled(cm);
    m_widthLabel->setBuddy(cm ? static_cast<QWidget*>(m_widthCm) : m_width);
    m_heightLabel->setBuddy(cm ? static_cast<QWidget*>(m_heightCm) : m_height);
}

QSize CExportSizeDialog::Size() const
{
    return {m_width->value(), m_height->value()};
}

SPictureSize CExportSizeDialog::PictureSize() const
{
    if (!m_inCentimetres->isChecked()) {
        return SPictureSize{Size()};
    }
    return SPictureSize{QSizeF{m_widthCm->value(), m_heightCm->value()}, m_dotsPerInch->value()};
}

void CExportSizeDialog::accept()
{
    const SPictureSize picture = PictureSize();
    const QSize pixels = picture.pixels;
    if (picture.centimetres && (pixels.width() < 1 || pixels.height() < 1 ||
                                pixels.width() > kExportMaxSide || pixels.height() > kExportMaxSide)) {
        ShowMessage(this, QStringLiteral("%1 x %2 cm bei %3 dpi ergeben %4 x %5 Pixel; jede Seite darf "
                                         "höchstens %6 Pixel haben. Bitte kleiner oder mit weniger dpi "
                                         "exportieren.")
                              .arg(m_widthCm->value())
                              .arg(m_heightCm->value())
                              .arg(picture.dotsPerInch)
                              .arg(pixels.width())
                              .arg(pixels.height())
                              .arg(kExportMaxSide));
        m_dotsPerInch->setFocus();
        return;
    }
    CSettingsStore& store = CSettingsStore::Instance();
    store.WriteProfileInt(kSection, kUnitEntry, picture.centimetres ? 1 : 0);
    store.WriteProfileString(kSection, kWidthEntry, QString::number(m_widthCm->value(), 'g', 10));
    store.WriteProfileString(kSection, kHeightEntry, QString::number(m_heightCm->value(), 'g', 10));
    store.WriteProfileInt(kSection, kDotsPerInchEntry, m_dotsPerInch->value());
    QDialog::accept();
}
