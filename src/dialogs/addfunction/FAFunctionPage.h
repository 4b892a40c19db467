#pragma once

#include "dialogs/addfunction/FAPage.h"
#include "dialogs/function/TermHint.h"

#include <QString>

class CCp1252Validator;
class QLabel;
class QLineEdit;

// The term step of the add-function wizard. Next works only while the term is usable, decided at
// every keystroke and afresh whenever the step is shown.
class CFAFunctionPage final : public CFAPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFAFunctionPage)

public:
    static constexpr int kMaxTermLength = 256;

    explicit CFAFunctionPage(QWidget* parent = nullptr);

    QString m_term;

    bool UpdateData(bool saveAndValidate) override;
    void OnSetActive() override;

    QLineEdit* TermField() const { return m_termField; }
    QLabel* HintLabel() const { return m_hintLabel; }

private:
    void OnTermChanged();
    void EnableNext();
    // The field's text as the term to store; a text brought in whole (not typed) is kept as it is.
    STypedTerm Read() const;

    QLineEdit* m_termField{nullptr};
    // Why Next is disabled, or how the term reads where that differs from school.
    QLabel* m_hintLabel{nullptr};
    CCp1252Validator* m_termRule{nullptr};
    QString m_filled;
    bool m_filling{false};
};
