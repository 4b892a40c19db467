#pragma once

#include <QWidget>

class QRadioButton;

// The options' second tab (dialog 134, "Benutzerführung"): wizards (1) or dialogs (0). Only a
// click changes the mode, so a sheet confirmed without a click keeps the value it read.
class COptUIPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(COptUIPage)

public:
    explicit COptUIPage(QWidget* parent = nullptr);
    ~COptUIPage() override;

    int m_mode{1};
    void SetMode(int mode);

private:
    QRadioButton* m_novice{nullptr};
    QRadioButton* m_advanced{nullptr};
};
