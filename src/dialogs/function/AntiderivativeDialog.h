#pragma once

#include <QDialog>

class CNumberField;

// "Stammfunktion zeichnen": the point (x0 | y0) the antiderivative passes through, F(x0) = y0.
// Both start at 0; OK refuses a field that is no number, with the focus on it.
class CAntiderivativeDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAntiderivativeDialog)

public:
    // name is the antiderivative's, "F", for the label "F(x0) = y0".
    CAntiderivativeDialog(const QString& name, QWidget* parent = nullptr);

    double X0() const { return m_x0; }
    double Y0() const { return m_y0; }

    CNumberField* X0Field() const { return m_x0Field; }
    CNumberField* Y0Field() const { return m_y0Field; }

    void accept() override;

private:
    CNumberField* m_x0Field{nullptr};
    CNumberField* m_y0Field{nullptr};
    double m_x0{0.0};
    double m_y0{0.0};
};
