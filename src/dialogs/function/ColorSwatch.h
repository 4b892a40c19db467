#pragma once

#include <QFrame>

#include <cstdint>

// A small framed field filled with a function's or object's colour, shown beside the button that
// chooses it, so the user sees the colour without opening the colour dialog.
class CColorSwatch final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CColorSwatch)

public:
    explicit CColorSwatch(QWidget* parent = nullptr);

    // The record's colour, red in the low byte.
    void SetColor(std::uint32_t color);
    QColor Shown() const;
};

// The record's colour (red in the low byte) and Qt's, both ways.
QColor ColorFromRecord(std::uint32_t color);
std::uint32_t RecordFromColor(const QColor& color);
