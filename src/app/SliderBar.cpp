#include "app/SliderBar.h"

#include "app/GraphDocument.h"
#include "app/SliderFocus.h"
#include "document/SliderState.h"
#include "engine/NumberText.h"
#include "engine/TextEncoding.h"
#include "framework/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kSpeedEntry = QStringLiteral("SliderSpeed");
const QString kLoopEntry = QStringLiteral("SliderLoop");

// How long one run over the whole range takes at each speed of the selector.
constexpr int kRunMilliseconds[] = {8000, 4000, 2000};

QString Number(double value)
{
    return QString::fromStdString(FormatNumber(value));
}

} // namespace

CSliderBar::CSliderBar(CGraphDocument* document, QWidget* parent) : QWidget{parent}, m_document{document}
{
    setObjectName(QStringLiteral("IDW_SLIDER_BAR"));
    // One row under the graph; the graph keeps every other pixel of the window.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_familyLabel = new QLabel{QStringLiteral("Sc&har:"), this};
    m_family = new QComboBox{this};
    m_family->setObjectName(QStringLiteral("IDC_SLIDER_FAMILY"));
    m_familyLabel->setBuddy(m_family);

    auto* sliderLabel = new QLabel{QStringLiteral("Schiebe&regler:"), this};
    m_slider = new QSlider{Qt::Horizontal, this};
    m_slider->setObjectName(QStringLiteral("IDC_SLIDER"));
    m_slider->setAccessibleName(QStringLiteral("Schieberegler"));
    m_slider->setFocusPolicy(Qt::StrongFocus);
    sliderLabel->setBuddy(m_slider);
    m_value = new QLabel{this};
    m_value->setObjectName(QStringLiteral("IDC_SLIDER_VALUE"));
    m_value->setMinimumWidth(m_value->fontMetrics().horizontalAdvance(QStringLiteral("k = -0.000000")));

    m_play = new QPushButton{QStringLiteral("Ab&spielen"), this};
    m_play->setObjectName(QStringLiteral("IDC_SLIDER_PLAY"));
    m_play->setCheckable(true);
    auto* speedLabel = new QLabel{QStringLiteral("Tem&po:"), this};
    m_speed = new QComboBox{this};
    m_speed->setObjectName(QStringLiteral("IDC_SLIDER_SPEED"));
    m_speed->addItems({QStringLiteral("langsam"), QStringLiteral("mittel"), QStringLiteral("schnell")});
    speedLabel->setBuddy(m_speed);
    auto* modeLabel = new QLabel{QStringLiteral("Ab&lauf:"), this};
    m_mode = new QComboBox{this};
    m_mode->setObjectName(QStringLiteral("IDC_SLIDER_MODE"));
    m_mode->addItems({QStringLiteral("hin und zurück"), QStringLiteral("Schleife")});
    modeLabel->setBuddy(m_mode);
    m_hideOthers = new QCheckBox{QStringLiteral("Andere a&usblenden"), this};
    m_hideOthers->setObjectName(QStringLiteral("IDC_SLIDER_HIDE_OTHERS"));

    const CSettingsStore& settings = CSettingsStore::Instance();
    m_speed->setCurrentIndex(std::clamp(settings.GetProfileInt(kSection, kSpeedEntry, 1), 0, 2));
    m_mode->setCurrentIndex(settings.GetProfileInt(kSection, kLoopEntry, 0) != 0 ? 1 : 0);
    m_hideOthers->setChecked(SliderHidesOthers());

    auto* layout = new QHBoxLayout{this};
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_familyLabel);
    layout->addWidget(m_family);
    layout->addWidget(sliderLabel);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_value);
    layout->addWidget(m_play);
    layout->addWidget(speedLabel);
    layout->addWidget(m_speed);
    layout->addWidget(modeLabel);
    layout->addWidget(m_mode);
    layout->addWidget(m_hideOthers);

    m_timer = new QTimer{this};
    m_timer->setInterval(kFrameMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &CSliderBar::PlayFrame);

    connect(m_slider, &QSlider::valueChanged, this, [this](int position) {
        if (!m_following) {
            MoveTo(position);
        }
    });
    connect(m_family, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_following || !m_document || index < 0 || static_cast<std::size_t>(index) >= m_families.size()) {
            return;
        }
        const std::size_t function = m_families[static_cast<std::size_t>(index)];
        double from{}, to{}, step{};
        m_document->Model().Functions()[function].GetRange(from, to, step);
        SetPlaying(false);
        m_document->Model().SetSlider(SSliderState{function, from});
        m_document->NotifyChanged();
    });
    connect(m_play, &QPushButton::toggled, this, [this](bool on) { SetPlaying(on); });
    connect(m_speed, &QComboBox::currentIndexChanged, this,
            [](int index) { CSettingsStore::Instance().WriteProfileInt(kSection, kSpeedEntry, index); });
    connect(m_mode, &QComboBox::currentIndexChanged, this,
            [](int index) { CSettingsStore::Instance().WriteProfileInt(kSection, kLoopEntry, index); });
    connect(m_hideOthers, &QCheckBox::toggled, this, [this](bool hide) {
        SetSliderHidesOthers(hide);
        if (m_document) {
            m_document->NotifyChanged();
        }
    });
    // Every change of the content ends here, from this bar, another window, an edit or an undo.
    connect(document, &CGraphDocument::contentChanged, this, &CSliderBar::Follow);
    Follow();
}

bool CSliderBar::IsPlaying() const
{
    return m_timer->isActive();
}

void CSliderBar::SetPlaying(bool play)
{
    if (play == IsPlaying()) {
        return;
    }
    if (play) {
        m_playPosition = m_slider->value();
        m_timer->start();
    } else {
        m_timer->stop();
    }
    const QSignalBlocker blocker{m_play};
    m_play->setChecked(play);
}

void CSliderBar::PlayFrame()
{
    const double last = m_slider->maximum();
    if (last <= 0) {
        return;
    }
    const int speed = std::clamp(m_speed->currentIndex(), 0, 2);
    m_playPosition += m_direction * last * kFrameMilliseconds / kRunMilliseconds[speed];
    if (m_mode->currentIndex() == 1) {
        // Round in a loop: always forwards, from the end straight back to the start.
        m_direction = 1;
        if (m_playPosition > last) {
            m_playPosition -= last;
        }
    } else if (m_playPosition > last) {
        m_playPosition = 2 * last - m_playPosition;
        m_direction = -1;
    } else if (m_playPosition < 0) {
        m_playPosition = -m_playPosition;
        m_direction = 1;
    }
    m_slider->setValue(static_cast<int>(std::lround(m_playPosition)));
}

void CSliderBar::Follow()
{
    const std::optional<SSliderState> slider = m_document ? m_document->Model().ActiveSlider() : std::nullopt;
    if (!slider) {
        SetPlaying(false);
        hide();
        return;
    }
    m_following = true;
    const CFunctionList& functions = m_document->Model().Functions();
    m_families.clear();
    m_family->clear();
    for (std::size_t i = 0; i < functions.size(); ++i) {
        if (IsSliderFamily(functions[i])) {
            m_families.push_back(i);
            m_family->addItem(QString::fromStdString(
                Cp1252ToUtf8(FunctionName(functions, i) + "_k(x)=" + functions[i].GetTerm())));
        }
    }
    m_family->setCurrentIndex(static_cast<int>(
        std::find(m_families.begin(), m_families.end(), slider->function) - m_families.begin()));
    // With one family there is nothing to choose.
    m_familyLabel->setVisible(m_families.size() > 1);
    m_family->setVisible(m_families.size() > 1);

    double step{};
    functions[slider->function].GetRange(m_from, m_to, step);
    const double range = m_to - m_from;
    // Tenths of the step, or a hundredth of the range for a family without a step; never more
    // than kMaxPositions over the range.
    m_unit = step > 0 ? step : range;
    m_divisions = step > 0 ? kPositionsPerStep : 100;
    double positions = std::round(range / m_unit * m_divisions);
    if (!(positions <= kMaxPositions)) {
        m_unit = range;
        m_divisions = kMaxPositions;
        positions = kMaxPositions;
    }
    const int last = std::max(1, static_cast<int>(positions));
    // The arrow keys go from member to member.
    const int single = step > 0 ? std::max(1, static_cast<int>(std::lround(step * m_divisions / m_unit)))
                                : std::max(1, last / 10);
    m_slider->setRange(0, last);
    m_slider->setSingleStep(single);
    m_slider->setPageStep(std::max(single, last / 4));
    m_slider->setValue(PositionOf(slider->k));
    m_value->setText(QStringLiteral("k = ") + Number(slider->k));
    m_following = false;
    show();
}

void CSliderBar::MoveTo(int position)
{
    if (!m_document) {
        return;
    }
    const std::optional<SSliderState> slider = m_document->Model().ActiveSlider();
    if (!slider) {
        return;
    }
    m_document->Model().SetSlider(SSliderState{slider->function, ValueAt(position)});
    m_document->NotifyChanged();
}

double CSliderBar::ValueAt(int position) const
{
    // The last position is the range's end exactly, whatever the steps add up to.
    return position >= m_slider->maximum() ? m_to : m_from + position * m_unit / m_divisions;
}

int CSliderBar::PositionOf(double k) const
{
    return std::clamp(static_cast<int>(std::lround((k - m_from) * m_divisions / m_unit)), 0,
                      m_slider->maximum());
}
