#pragma once
#include "io/BoxExportSource.h"
#include "io/PrintViewController.h"

#include <QPrintDialog>
#include <QPrinter>

namespace fendle {

class Box;
class PrintOptionsView;

// The print dialogue of a box, as a sheet on its window: the print
// options on a tab of their own, and on "Print" the text they ask for.
class PrintPanel : public QPrintDialog {
    Q_OBJECT
public:
    PrintPanel(Box& box, QWidget* window) : PrintPanel(box, window, makePrinter()) {}
    // The options go before the controller they show.
    ~PrintPanel() override;

    PrintViewController& controller() { return controller_; }
    PrintOptionsView* optionsView() const { return optionsView_; }

private:
    // The dialogue is made on the printer, which must exist before it.
    PrintPanel(Box& box, QWidget* window, QPrinter* printer);
    static QPrinter* makePrinter();

    // Deleted after the dialogue, which works on it to the end.
    QPrinter* printer_;
    BoxExportSource source_;
    PrintViewController controller_;
    PrintOptionsView* optionsView_ = nullptr;
};

}  // namespace fendle
