#include "app/dialogs/SlipPrinter.h"

#include "app/editing/RichTextDocument.h"
#include "document/Box.h"
#include "io/SlipExportString.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace fendle {

RichText SlipPrinter::printString(Box& box) {
    const SlipPtr slip = box.currentSlip();
    if (!slip) return RichText();
    // The slip's own ranking: the slip-scent list may still show the slip
    // ranked last in the "Slip" tab, not the one printed.
    const QStringList scents = box.slipScentsForSlip(*slip).relatedKeys();
    return SlipExportString::exportString(*slip, {.scents = true, .keywords = true, .source = true, .type = false},
                                          scents);
}

void SlipPrinter::preparePrinter(QPrinter& printer) {
    printer.setPageMargins(QMarginsF(MarginPoints, MarginPoints, MarginPoints, MarginPoints), QPageLayout::Point);
}

bool SlipPrinter::print(const RichText& text, QPrinter& printer) {
    QTextDocument document;
    RichTextDocument(document).setRichText(text);
    // Paginated on the printable area itself, so that Qt adds no margins of
    // its own to the printer's.
    document.setDocumentMargin(0);
    document.setPageSize(printer.pageLayout().paintRect(QPageLayout::Point).size());
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

void SlipPrinter::printDocument(Box& box, QWidget& window) {
    box.storeCurrentSlip();
    const RichText text = printString(box);
    auto* printer = new QPrinter(QPrinter::HighResolution);
    preparePrinter(*printer);
    auto* dialog = new QPrintDialog(printer, &window);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(static_cast<QDialog*>(dialog), &QDialog::accepted, dialog, [text, printer] { print(text, *printer); });
    QObject::connect(dialog, &QObject::destroyed, [printer] { delete printer; });
    dialog->open();
}

}  // namespace fendle
