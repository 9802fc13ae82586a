#include "app/dialogs/SlipPrinter.h"

#include "app/dialogs/PrintPanel.h"
#include "app/print/PagedTextDocument.h"
#include "document/Box.h"
#include "io/BoxExportSource.h"
#include "io/PrintViewController.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>

namespace fendle {

RichText SlipPrinter::printString(Box& box) {
    BoxExportSource source(box);
    return PrintViewController(source, box.ui(), true).computePrintString();
}

void SlipPrinter::preparePrinter(QPagedPaintDevice& device) {
    device.setPageMargins(QMarginsF(MarginPoints, MarginPoints, MarginPoints, MarginPoints), QPageLayout::Point);
}

bool SlipPrinter::print(const RichText& text, QPrinter& printer) {
    return PagedTextDocument::print(text, printer) && printer.printerState() != QPrinter::Error;
}

bool SlipPrinter::print(PrintViewController& options, QPrinter& printer) {
    if (!options.options().pageBreak) return print(options.printString(), printer);
    const QList<SlipPtr> slips = options.slipsToExportOrPrint().value_or(QList<SlipPtr>{});
    const auto textAt = [&options, &slips](qsizetype i) { return options.exportString(*slips.at(i)); };
    return PagedTextDocument::printEachOnItsOwnPage(slips.size(), textAt, printer) &&
           printer.printerState() != QPrinter::Error;
}

void SlipPrinter::printDocument(Box& box, QWidget& window) {
    box.storeCurrentSlip();
    auto* panel = new PrintPanel(box, &window);
    panel->open();
}

}  // namespace fendle
