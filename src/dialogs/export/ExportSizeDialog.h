#pragma once

#include "framework/PictureSize.h"

#include <QDialog>
#include <QSize>

class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QSpinBox;

// Asks for the size of an exported picture: in pixels, starting from a given size (the graph
// window's), or in centimetres at a resolution. Pixel sides run from 1 to kExportMaxSide, the
// bound of the command line's --size, and so do the pixels a size in centimetres makes. The
// unit, the centimetres and the resolution last chosen are kept in the settings for next time.
class CExportSizeDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CExportSizeDialog)

public:
    static constexpr int kExportMaxSide = 16384;

    CExportSizeDialog(QSize size, QWidget* parent = nullptr);

    // The size in pixels (as the pixel fields hold it), whatever the unit.
    QSize Size() const;
    // The size in the unit chosen.
    SPictureSize PictureSize() const;

    void accept() override;

private:
    void ShowUnit();

    QRadioButton* m_inPixels{nullptr};
    QRadioButton* m_inCentimetres{nullptr};
    QSpinBox* m_width{nullptr};
    QSpinBox* m_height{nullptr};
    QDoubleSpinBox* m_widthCm{nullptr};
    QDoubleSpinBox* m_heightCm{nullptr};
    QSpinBox* m_dotsPerInch{nullptr};
    QLabel* m_widthLabel{nullptr};
    QLabel* m_heightLabel{nullptr};
};
