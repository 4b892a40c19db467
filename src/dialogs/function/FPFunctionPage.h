#pragma once

#include "dialogs/function/TermHint.h"
#include "document/LineStyle.h"
#include "framework/PropertyPage.h"

#include <QString>

#include <cstdint>

class CCp1252Validator;
class CLineStrokeFields;
class CNumberField;
class QCheckBox;
class QLabel;
class QLineEdit;

// "Funktion": the term and the family constant of one function. While the term is typed the
// sheet's caption follows it, and OK works only while the term is usable.
class CFPFunctionPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFPFunctionPage)

public:
    static constexpr int kMaxTermLength = 256;
    static constexpr int kMaxNameLength = 32;

    explicit CFPFunctionPage(QWidget* parent = nullptr);

    QString m_term;
    // Empty for the automatic name, which the field shows greyed as its placeholder.
    QString m_name;
    QString m_defaultName;
    // The record's flag as it is: a nonzero value from a file stays what it was while the box
    // stays checked.
    std::int32_t m_useFamilyConstant{0};
    double m_from{0.0};
    double m_to{0.0};
    double m_step{0.0};
    SLineStroke m_stroke;

    bool UpdateData(bool saveAndValidate) override;
    void OnSetActive() override;

    QLineEdit* NameField() const { return m_nameField; }
    QLineEdit* TermField() const { return m_termField; }
    QLabel* HintLabel() const { return m_hintLabel; }
    QCheckBox* FamilyBox() const { return m_familyBox; }
    CNumberField* FromField() const { return m_fromField; }
    CNumberField* ToField() const { return m_toField; }
    CNumberField* StepField() const { return m_stepField; }
    CLineStrokeFields* StrokeFields() const { return m_strokeFields; }

private:
    void OnTermChanged();
    void OnFamilyClicked();
    void EnableRangeFields();
    void EnableOk();
    // The field's text as the term to store; the term the page was filled with (from a file) is
    // kept as it is until it is edited.
    STypedTerm Read() const;

    // The term's label names the function: "g(x) =", "h_k(x) =".
    QString Head() const;
    void ShowHead();

    QLineEdit* m_nameField{nullptr};
    QLabel* m_termLabel{nullptr};
    QLineEdit* m_termField{nullptr};
    // Why OK is disabled, or how the term reads where that differs from school.
    QLabel* m_hintLabel{nullptr};
    CCp1252Validator* m_termRule{nullptr};
    QString m_filled;
    QCheckBox* m_familyBox{nullptr};
    CNumberField* m_fromField{nullptr};
    CNumberField* m_toField{nullptr};
    CNumberField* m_stepField{nullptr};
    CLineStrokeFields* m_strokeFields{nullptr};
    bool m_filling{false};
};
