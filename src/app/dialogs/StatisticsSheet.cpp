#include "app/dialogs/StatisticsSheet.h"

#include "document/BoxStatistics.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

namespace fendle {

void StatisticsSheet::show(const BoxStatistics& statistics, QWidget* window) {
    auto* sheet = new QDialog(window);
    sheet->setObjectName(QStringLiteral("statisticsSheet"));
    sheet->setWindowTitle(QStringLiteral("Statistics"));
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setWindowModality(Qt::WindowModal);
    auto* layout = new QFormLayout(sheet);
    for (const auto& [label, value] : statistics.figures()) {
        auto* figure = new QLabel(value, sheet);
        figure->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addRow(label, figure);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, sheet);
    QObject::connect(buttons, &QDialogButtonBox::accepted, sheet, &QDialog::accept);
    layout->addRow(buttons);
    sheet->open();
}

}  // namespace fendle
