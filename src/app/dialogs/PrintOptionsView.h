#pragma once
#include "io/PrintViewController.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;

namespace fendle {

// The options beside the print and export dialogues, bound to a
// PrintViewController: which slips, which parts, a page per slip; for
// export also the format, separate files, titles as names and the encoding.
class PrintOptionsView : public QWidget {
    Q_OBJECT
public:
    static inline const QString OneSlipPerPageToolTip =
        QStringLiteral("Print 1 slip on each page. Text longer than 1 page will be truncated.");

    explicit PrintOptionsView(PrintViewController& controller, QWidget* parent = nullptr);

    PrintViewController& controller() { return controller_; }

private:
    using Control = PrintViewController::Control;
    PrintViewController& controller_;
    QButtonGroup* printWhat_ = nullptr;
    QCheckBox* pageBreak_ = nullptr;
    QCheckBox* keywords_ = nullptr;
    QCheckBox* source_ = nullptr;
    QCheckBox* type_ = nullptr;
    QCheckBox* scents_ = nullptr;
    QButtonGroup* format_ = nullptr;
    QCheckBox* separateFiles_ = nullptr;
    QCheckBox* useTitles_ = nullptr;
    QComboBox* encoding_ = nullptr;

    QCheckBox* addCheckBox(const QString& title, bool ExportOptions::*field, Control control);
    QCheckBox* addPartBox(const QString& title, bool SlipExportString::Parts::*part, Control control);
    QWidget* makeExportOptions();
    // Shows the options as the controller holds them.
    void showOptions();
};

}  // namespace fendle
