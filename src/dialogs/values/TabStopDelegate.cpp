#include "dialogs/values/TabStopDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextOption>

CTabStopDelegate::CTabStopDelegate(qreal tabDistance, QObject* parent)
    : QStyledItemDelegate{parent}, m_tabDistance{tabDistance > 0 ? tabDistance : 1.0}
{
}

CTabStopDelegate::~CTabStopDelegate() = default;

void CTabStopDelegate::SetTabDistance(qreal pixels)
{
    // A distance of 0 or less would leave Qt to its own default stops.
    m_tabDistance = pixels > 0 ? pixels : 1.0;
}

void CTabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem item{option};
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();

    // The style draws background, selection and focus frame; the text is ours, because the style
    // cannot be told where the tab stops are.
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const QString text = item.text;
    item.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRectF area = QRectF(textRect).adjusted(margin, 0, -margin, 0);

    QPalette::ColorGroup group = QPalette::Normal;
    if (!(item.state & QStyle::State_Enabled)) {
        group = QPalette::Disabled;
    } else if (!(item.state & QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    const QPalette::ColorRole role =
        (item.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;

    QTextOption layout{Qt::AlignLeft | Qt::AlignVCenter};
    layout.setWrapMode(QTextOption::NoWrap);
    layout.setTabStopDistance(m_tabDistance);

    painter->save();
    painter->setClipRect(textRect);
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, role));
    painter->drawText(area, text, layout);
    painter->restore();
}
