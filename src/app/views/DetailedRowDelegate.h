#pragma once
#include <QStyledItemDelegate>

namespace fendle {

// Draws a list row as its key with a detail beside it and a count at the
// right edge ("12  Apples … 3"), so the rows keep their keys as their
// display text (type-ahead, copying and the row operations read them) while
// the reader sees what the key stands for.
class DetailedRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Roles a model answers for the extras; both are optional.
    enum Role {
        DetailRole = Qt::UserRole + 40,  // text drawn after the display text, dimmed
        CountRole,                       // a number drawn right-aligned, dimmed
    };

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace fendle
