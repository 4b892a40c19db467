#pragma once

#include "framework/PropertyPage.h"

#include <QString>

#include <cstdint>

class CColorSwatch;
class CCp1252TextEdit;
class QPushButton;

// "Sonstiges": the comment and the colour of one function or object, shared by both property
// sheets. The colour is the record's 0x00BBGGRR value, shown as a swatch beside its button.
class CFPCommentPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFPCommentPage)

public:
    static constexpr int kMaxCommentLength = 1024;

    explicit CFPCommentPage(QWidget* parent = nullptr);

    QString m_comment;
    std::uint32_t m_color{0};

    bool UpdateData(bool saveAndValidate) override;

    CCp1252TextEdit* CommentField() const { return m_commentField; }
    CColorSwatch* Swatch() const { return m_swatch; }

private:
    void OnChooseColor();

    CCp1252TextEdit* m_commentField{nullptr};
    QPushButton* m_colorButton{nullptr};
    CColorSwatch* m_swatch{nullptr};
};
