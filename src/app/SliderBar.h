#pragma once

#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <vector>

class CGraphDocument;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

// The bar under a graph window that walks a family's constant k ("Schieberegler"). It shows
// itself while its document's slider is on and drives that slider: every move sets the document's
// k, and every window of the document redraws at it. "Abspielen" moves k by itself, one frame
// every kFrameMilliseconds, back and forth or round in a loop.
//
// The slider stands on tenths of the family's step, so that playing runs smoothly; the arrow keys
// move it by one whole step, from member to member of the family.
class CSliderBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSliderBar)

public:
    explicit CSliderBar(CGraphDocument* document, QWidget* parent = nullptr);

    static constexpr int kPositionsPerStep = 10;
    // Positions of the whole range at most, whatever the step: a family of a thousand members is
    // still walked in whole steps.
    static constexpr int kMaxPositions = 10000;
    static constexpr int kFrameMilliseconds = 40;

    bool IsPlaying() const;
    void SetPlaying(bool play);
    // One frame of playing, as the timer runs it.
    void PlayFrame();

private:
    // Shows or hides the bar and sets its controls from the document.
    void Follow();
    void MoveTo(int position);
    double ValueAt(int position) const;
    int PositionOf(double k) const;

    QPointer<CGraphDocument> m_document;
    QComboBox* m_family{nullptr};
    QLabel* m_familyLabel{nullptr};
    QSlider* m_slider{nullptr};
    QLabel* m_value{nullptr};
    QPushButton* m_play{nullptr};
    QComboBox* m_speed{nullptr};
    QComboBox* m_mode{nullptr};
    QCheckBox* m_hideOthers{nullptr};
    QTimer* m_timer{nullptr};

    // The functions of the list the slider can walk, by index.
    std::vector<std::size_t> m_families;
    // k at a position is from + position * unit / divisions: a tenth of a step 1 is then 0.7 at
    // position 7, not the 0.7000000000000001 that adding 0.1 seven times gives.
    double m_from{0.0};
    double m_to{0.0};
    double m_unit{1.0};
    int m_divisions{kPositionsPerStep};
    // Where playing stands between two positions, and which way it goes.
    double m_playPosition{0.0};
    int m_direction{1};
    bool m_following{false};
};
