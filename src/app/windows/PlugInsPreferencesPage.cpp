#include "app/windows/PlugInsPreferencesPage.h"

#include "app/views/PlugInTableModel.h"
#include "app/windows/PlugInHelpPanel.h"
#include "platform/system/Defaults.h"
#include "plugins/PlugInController.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace fendle {

PlugInsPreferencesPage::PlugInsPreferencesPage(PlugInController& plugIns, Defaults& defaults, QWidget* parent)
    : QWidget(parent),
      plugIns_(plugIns),
      defaults_(defaults),
      model_(new PlugInTableModel(plugIns.plugInTable(), this)),
      tableView_(new QTableView(this)),
      infoText_(new QTextBrowser(this)),
      help_(new QPushButton(QStringLiteral("Help"), this)),
      checkNow_(new QPushButton(QStringLiteral("Check Now"), this)),
      baseAddress_(new QLineEdit(this)) {
    tableView_->setObjectName(QStringLiteral("plugInTableView"));
    tableView_->setModel(model_);
    tableView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView_->setSelectionMode(QAbstractItemView::SingleSelection);
    tableView_->verticalHeader()->hide();
    tableView_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    infoText_->setObjectName(QStringLiteral("plugInInfoTextView"));
    infoText_->setOpenLinks(false);
    infoText_->setMaximumHeight(90);
    baseAddress_->setPlaceholderText(QStringLiteral("https://example.org/fendle/plugins/gc-ts/"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tableView_, 1);
    layout->addWidget(infoText_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help_);
    buttons->addStretch();
    buttons->addWidget(checkNow_);
    layout->addLayout(buttons);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Plug-in catalogue address:"), baseAddress_);
    layout->addLayout(form);

    connect(tableView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PlugInsPreferencesPage::selectionChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, &PlugInsPreferencesPage::keepSelection);
    connect(help_, &QPushButton::clicked, this, &PlugInsPreferencesPage::showHelp);
    connect(checkNow_, &QPushButton::clicked, this,
            [this] { plugIns_.updates().checkForPlugInUpdates(PlugInUpdates::Initiator::Button); });
    connect(baseAddress_, &QLineEdit::editingFinished, this, [this] {
        const QString address = baseAddress_->text().trimmed();
        if (address.isEmpty())
            defaults_.removeObject(PlugInUpdates::BaseURLKey);
        else
            defaults_.setObject(PlugInUpdates::BaseURLKey, address);
    });
    // No second download while one runs.
    connect(&plugIns_.updates(), &PlugInUpdates::downloadRunningChanged, tableView_,
            [this](bool running) {
                tableView_->setEnabled(!running);
                checkNow_->setEnabled(!running);
            });
}

PlugInsPreferencesPage::~PlugInsPreferencesPage() = default;

void PlugInsPreferencesPage::showEvent(QShowEvent* event) {
    baseAddress_->setText(defaults_.stringForKey(PlugInUpdates::BaseURLKey));
    selectedIdentifier_.clear();
    plugIns_.plugInTable().showPlugInTable();
    QWidget::showEvent(event);
}

std::optional<qsizetype> PlugInsPreferencesPage::selectedRow() const {
    const QModelIndexList rows = tableView_->selectionModel()->selectedRows();
    return rows.isEmpty() ? std::nullopt : std::optional<qsizetype>(rows.first().row());
}

void PlugInsPreferencesPage::selectionChanged() {
    const std::optional<qsizetype> row = selectedRow();
    const PlugInTableEntry* entry = row ? plugIns_.plugInTable().table().plugInAtIndex(*row) : nullptr;
    selectedIdentifier_ = entry ? entry->identifier : QString();
    infoText_->setPlainText(plugIns_.plugInTable().informationText(row));
}

// A refresh keeps the row the user had selected, wherever it is sorted to.
void PlugInsPreferencesPage::keepSelection() {
    const QList<PlugInTableEntry>& rows = plugIns_.plugInTable().table().rows();
    for (qsizetype row = 0; row < rows.size(); ++row)
        if (!selectedIdentifier_.isEmpty() && rows[row].identifier == selectedIdentifier_) {
            tableView_->selectRow(int(row));
            return;
        }
    infoText_->clear();
}

void PlugInsPreferencesPage::showHelp() {
    const std::optional<qsizetype> row = selectedRow();
    if (!row) return;
    const std::optional<QString> page = plugIns_.plugInTable().plugInInfoButtonClicked(*row);
    if (!page) return;
    if (!helpPanel_) helpPanel_ = new PlugInHelpPanel(window());
    helpPanel_->showPage(*page, QApplication::activeWindow() ? QApplication::activeWindow() : window());
}

}  // namespace fendle
