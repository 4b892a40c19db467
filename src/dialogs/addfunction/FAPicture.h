#pragma once

#include <QImage>
#include <QWidget>

// Bitmap 135, the picture at the left of every step of the add-function wizard: a sheet of graph
// paper with two curves on a blue ground, 120 by 220 pixels.
class CFAPicture final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFAPicture)

public:
    static constexpr int kWidth = 120;
    static constexpr int kHeight = 220;

    explicit CFAPicture(QWidget* parent = nullptr);

    // Drawn once and shared by every page.
    static const QImage& Image();

protected:
    void paintEvent(QPaintEvent* event) override;
};
