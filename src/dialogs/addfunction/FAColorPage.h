#pragma once

#include "dialogs/addfunction/FAPage.h"

#include <cstdint>

class CColorSwatch;
class QPushButton;

// The colour step of the add-function wizard. The colour is the record's 0x00BBGGRR value, shown
// as a swatch beside its button.
class CFAColorPage final : public CFAPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFAColorPage)

public:
    explicit CFAColorPage(QWidget* parent = nullptr);

    std::uint32_t m_color{0};

    void OnSetActive() override;

    QPushButton* ColorButton() const { return m_colorButton; }
    CColorSwatch* Swatch() const { return m_swatch; }

private:
    void OnChooseColor();

    QPushButton* m_colorButton{nullptr};
    CColorSwatch* m_swatch{nullptr};
};
