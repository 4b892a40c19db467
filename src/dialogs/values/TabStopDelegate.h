#pragma once

#include <QStyledItemDelegate>

// Draws each line of a list with its tab characters expanded to evenly repeated tab stops, as a
// list box with tab stops does; Qt's own item drawing shows a tab as a narrow blank. The stops are
// measured from the left edge of the item's text.
class CTabStopDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTabStopDelegate)

public:
    explicit CTabStopDelegate(qreal tabDistance, QObject* parent = nullptr);
    ~CTabStopDelegate() override;

    // The distance between two tab stops, in pixels (positive).
    qreal TabDistance() const { return m_tabDistance; }
    void SetTabDistance(qreal pixels);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    qreal m_tabDistance;
};
