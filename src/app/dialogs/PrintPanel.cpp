#include "app/dialogs/PrintPanel.h"

#include "app/dialogs/PrintOptionsView.h"
#include "app/dialogs/SlipPrinter.h"
#include "document/Box.h"

namespace fendle {

QPrinter* PrintPanel::makePrinter() {
    auto* printer = new QPrinter(QPrinter::HighResolution);
    SlipPrinter::preparePrinter(*printer);
    return printer;
}

PrintPanel::PrintPanel(Box& box, QWidget* window, QPrinter* printer)
    : QPrintDialog(printer, window), printer_(printer), source_(box), controller_(source_, box.ui(), true) {
    connect(this, &QObject::destroyed, [printer] { delete printer; });
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    controller_.updatePrintString();
    optionsView_ = new PrintOptionsView(controller_);
    setOptionTabs({optionsView_});
    connect(this, &QDialog::accepted, this, [this] { SlipPrinter::print(controller_, *printer_); });
}

PrintPanel::~PrintPanel() { delete optionsView_; }

}  // namespace fendle
