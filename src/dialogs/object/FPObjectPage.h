#pragma once

#include "document/LineStyle.h"
#include "framework/PropertyPage.h"

#include <QString>

class CCp1252Validator;
class CLineStrokeFields;
class CNumberField;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

// "Objekt": kind, label, coordinates, text position and line position of one point or vertical
// line. Kind and text position are two independent choices, and every field keeps its value
// whatever the kind, so switching a point to a line and back loses nothing.
class CFPObjectPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFPObjectPage)

public:
    // Far beyond any label a user writes, but a limit all the same: pasting 100,000 characters
    // into the one-line field takes a noticeable moment already, and the time grows with the text.
    static constexpr int kMaxLabelLength = 250'000;

    explicit CFPObjectPage(QWidget* parent = nullptr);

    bool m_isPoint{true};
    QString m_label;
    double m_x{0.0};
    double m_y{0.0};
    // 0 to 7, above left to below right; another value (from a file) checks no button and is kept.
    int m_textPosition{0};
    double m_linePosition{0.0};
    // The width serves both kinds (a cross is never thinner than 0.25 mm); the style only a line.
    SLineStroke m_stroke;

    bool UpdateData(bool saveAndValidate) override;
    // The user comes to type: the focus goes to the first field of the chosen kind, not to OK.
    void OnSetActive() override;

    QLineEdit* LabelField() const { return m_labelField; }
    CLineStrokeFields* StrokeFields() const { return m_strokeFields; }

private:
    void EnableKindFields();

    QRadioButton* m_pointButton{nullptr};
    QRadioButton* m_lineButton{nullptr};
    QButtonGroup* m_positionGroup{nullptr};
    QLineEdit* m_labelField{nullptr};
    CCp1252Validator* m_labelValidator{nullptr};
    CNumberField* m_xField{nullptr};
    CNumberField* m_yField{nullptr};
    CNumberField* m_linePositionField{nullptr};
    CLineStrokeFields* m_strokeFields{nullptr};
    QList<QWidget*> m_pointControls;
};
