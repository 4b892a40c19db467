#pragma once

#include "dialogs/addfunction/FAPage.h"

#include <QString>

class CCp1252TextEdit;

// The comment step of the add-function wizard. Enter moves on instead of starting a new line.
class CFACommentPage final : public CFAPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFACommentPage)

public:
    static constexpr int kMaxCommentLength = 1024;

    explicit CFACommentPage(QWidget* parent = nullptr);

    QString m_comment;

    bool UpdateData(bool saveAndValidate) override;
    void OnSetActive() override;

    CCp1252TextEdit* CommentField() const { return m_commentField; }

private:
    CCp1252TextEdit* m_commentField{nullptr};
};
