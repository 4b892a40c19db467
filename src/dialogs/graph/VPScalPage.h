#pragma once

#include "document/Scaling.h"
#include "framework/PropertyPage.h"

class CNumberField;
class QCheckBox;
class QComboBox;

// "Skalierung": the fields of a copy of the graph's scaling. The page checks neither the order of
// the ends nor the size of the steps; the record's setters put them right when the fields are
// written into the copy, and reopening the sheet shows what was stored.
class CVPScalPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVPScalPage)

public:
    explicit CVPScalPage(const CScaling& scaling, QWidget* parent = nullptr);

    // The copy with the page's fields written into it: x range, y range, automatic y scaling, axis
    // labels, terms, grid, print size and equal units, in this order.
    CScaling GetScaling() const;

    bool UpdateData(bool saveAndValidate) override;

    double m_xFrom{0.0};
    double m_xTo{0.0};
    double m_xStep{0.0};
    double m_yFrom{0.0};
    double m_yTo{0.0};
    double m_yStep{0.0};
    bool m_autoScaleY{false};
    bool m_labelAxes{false};
    bool m_showTerms{false};
    bool m_equalUnits{false};
    int m_gridType{0};
    double m_printX{0.0};
    double m_printY{0.0};

private:
    void OnAutoScaleClicked();
    void EnableYFields();

    CScaling m_scaling;
    CNumberField* m_fields[8]{};
    QCheckBox* m_autoScaleBox{nullptr};
    QCheckBox* m_labelAxesBox{nullptr};
    QCheckBox* m_showTermsBox{nullptr};
    QCheckBox* m_equalUnitsBox{nullptr};
    QComboBox* m_gridList{nullptr};
};
