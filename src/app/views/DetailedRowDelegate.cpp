#include "app/views/DetailedRowDelegate.h"

#include <QApplication>
#include <QPainter>

namespace fendle {

namespace {

constexpr int Gap = 8;

QString countText(const QModelIndex& index) {
    const QVariant count = index.data(DetailedRowDelegate::CountRole);
    return count.isValid() ? count.toString() : QString();
}

}  // namespace

void DetailedRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QString detail = index.data(DetailRole).toString();
    const QString count = countText(index);
    const int countWidth = count.isEmpty() ? 0 : row.fontMetrics.horizontalAdvance(count) + Gap;
    // The style draws background, icon and key; the extras go into the space it leaves.
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, widget);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &row, widget);
    const bool selected = row.state & QStyle::State_Selected;
    painter->save();
    QColor dim = row.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    dim.setAlphaF(0.6);
    painter->setPen(dim);
    painter->setFont(option.font);
    const QFontMetrics metrics(option.font);
    if (!detail.isEmpty()) {
        const int keyWidth = row.fontMetrics.horizontalAdvance(row.text) + Gap;
        QRect detailRect = text.adjusted(keyWidth, 0, -countWidth, 0);
        if (detailRect.width() > 0)
            painter->drawText(detailRect, Qt::AlignLeft | Qt::AlignVCenter,
                              metrics.elidedText(detail, Qt::ElideRight, detailRect.width()));
    }
    if (!count.isEmpty()) painter->drawText(text, Qt::AlignRight | Qt::AlignVCenter, count);
    painter->restore();
}

QSize DetailedRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QString detail = index.data(DetailRole).toString();
    const QString count = countText(index);
    if (!detail.isEmpty()) size.rwidth() += Gap + option.fontMetrics.horizontalAdvance(detail);
    if (!count.isEmpty()) size.rwidth() += Gap + option.fontMetrics.horizontalAdvance(count);
    return size;
}

}  // namespace fendle
