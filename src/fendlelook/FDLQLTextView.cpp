#include "fendlelook/FDLQLTextView.h"

#include "fendlelook/FendleLookStyle.h"

#include <QImageReader>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace fendle::look {
namespace {

std::optional<QImage> loadImage(const QString& path) {
    QImageReader reader(path);
    QImage image;
    if (!reader.read(&image)) return std::nullopt;
    return image;
}

QTextCharFormat characterFormat(const QColor& color) {
    QTextCharFormat format;
    format.setFont(FendleLookStyle::thumbnailFont());
    format.setForeground(color);
    return format;
}

}  // namespace

FDLQLTextView::FDLQLTextView(QRect frame, const QString& backgroundImagePath)
    : frame_(frame), backgroundImage_(loadImage(backgroundImagePath)) {}

void FDLQLTextView::drawViewBackgroundInRect(QPainter& painter, QRectF rect) const {
    painter.fillRect(rect, Qt::white);
    if (!backgroundImage_) return;
    painter.save();
    painter.setOpacity(BackgroundOpacity);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect, *backgroundImage_);
    painter.restore();
}

void FDLQLTextView::drawText(QPainter& painter) const {
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setUndoRedoEnabled(false);
    document.setTextWidth(frame_.width() - 2 * LinePadding);
    QTextCursor cursor(&document);
    cursor.insertText(text_.header, characterFormat(FendleLookStyle::headingQColor()));
    cursor.insertText(text_.body, characterFormat(FendleLookStyle::thumbnailBodyColor()));

    painter.save();
    painter.translate(LinePadding, 0);
    document.drawContents(&painter, QRectF(0, 0, frame_.width() - 2 * LinePadding, frame_.height()));
    painter.restore();
}

QImage FDLQLTextView::render() const {
    QImage bitmap(frame_.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawViewBackgroundInRect(painter, QRectF(QPointF(0, 0), frame_.size()));
    drawText(painter);
    painter.end();
    return bitmap;
}

}  // namespace fendle::look
