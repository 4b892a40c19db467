#pragma once

#include "dialogs/copy/CopyOptions.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

// The advanced interface's copy options (dialog 154, "Kopieren"): type and size on one page.
// "&Ok" refuses a length or height outside 100 to 1000 and stays open.
class CCopyDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCopyDialog)

public:
    explicit CCopyDialog(const SCopyOptions& options, QWidget* parent = nullptr);
    ~CCopyDialog() override;

    SCopyOptions Options() const { return m_options; }

    void accept() override;

private:
    SCopyOptions m_options;
    QRadioButton* m_bitmap{nullptr};
    QRadioButton* m_metafile{nullptr};
    QLineEdit* m_length{nullptr};
    QLineEdit* m_height{nullptr};
};
