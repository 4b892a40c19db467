#pragma once

#include <QDialog>
#include <QSize>

class QSpinBox;

// Asks for the size in pixels of an exported picture, starting from a given size (the graph
// window's). Both sides run from 1 to kExportMaxSide, the bound of the command line's --size.
class CExportSizeDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CExportSizeDialog)

public:
    static constexpr int kExportMaxSide = 16384;

    CExportSizeDialog(QSize size, QWidget* parent = nullptr);

    QSize Size() const;

private:
    QSpinBox* m_width{nullptr};
    QSpinBox* m_height{nullptr};
};
