#include "app/print/QtPdfRenderer.h"

#include "app/dialogs/SlipPrinter.h"
#include "app/print/PagedTextDocument.h"

#include <QBuffer>
#include <QPdfWriter>

namespace fendle {

Result<QByteArray> QtPdfRenderer::render(const RichText& text) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Fendle"));
        SlipPrinter::preparePrinter(writer);
        if (!PagedTextDocument::print(text, writer)) return Result<QByteArray>::failure(QStringLiteral("no PDF page"));
    }
    if (!bytes.startsWith("%PDF")) return Result<QByteArray>::failure(QStringLiteral("the PDF writer wrote nothing"));
    return bytes;
}

}  // namespace fendle
