#pragma once
#include "app/print/QtPdfRenderer.h"
#include "io/BoxExportSource.h"
#include "io/PrintViewController.h"

#include <QFileDialog>

namespace fendle {

class Box;
class PrintOptionsView;

// "Export Slip(s)": a save dialogue as a sheet on the box window with the
// export options beside it; on "Save" the chosen slips are written.
class ExportDialog : public QFileDialog {
    Q_OBJECT
public:
    ExportDialog(Box& box, QWidget* window);
    ~ExportDialog() override;

    // Stores the current slip and opens the dialogue.
    static void exportSlips(Box& box, QWidget& window);

    PrintViewController& controller() { return controller_; }
    PrintOptionsView* optionsView() const { return optionsView_; }

private:
    Box& box_;
    BoxExportSource source_;
    PrintViewController controller_;
    QtPdfRenderer pdf_;
    PrintOptionsView* optionsView_ = nullptr;

    void exportTo(QString path);
};

}  // namespace fendle
