#include "app/print/PagedTextDocument.h"

#include "app/editing/RichTextDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace fendle {

void PagedTextDocument::setUp(QTextDocument& document, const RichText& text) {
    RichTextDocument(document).setRichText(text);
    // Laid out on the printable area itself, so that Qt adds no margins of
    // its own to the device's.
    document.setDocumentMargin(0);
    breakPagesAtFormFeeds(document);
}

// A form feed stands at the start of the block after a slip; the editor
// would show it as a character, the page layout wants a break instead.
void PagedTextDocument::breakPagesAtFormFeeds(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.text().startsWith(QChar(u'\f'))) continue;
        QTextCursor cursor(block);
        cursor.deleteChar();
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(format);
    }
}

bool PagedTextDocument::print(const RichText& text, QPagedPaintDevice& device) {
    QTextDocument document;
    setUp(document, text);
    document.setPageSize(device.pageLayout().paintRect(QPageLayout::Point).size());
    document.print(&device);
    return true;
}

bool PagedTextDocument::printEachOnItsOwnPage(qsizetype count, const std::function<RichText(qsizetype)>& textAt,
                                              QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QRectF page(QPointF(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0 && !device.newPage()) return false;
        QTextDocument document;
        // Fonts in points, measured on the device.
        document.documentLayout()->setPaintDevice(&device);
        setUp(document, textAt(i));
        document.setPageSize(page.size());
        painter.save();
        painter.setClipRect(page);
        document.drawContents(&painter, page);
        painter.restore();
    }
    return painter.end();
}

}  // namespace fendle
