#include "app/views/SearchView.h"

#include "app/views/ResultTableModel.h"
#include "app/views/RuleArea.h"
#include "app/views/RuleEditorWidget.h"
#include "app/views/ZNTableView.h"
#include "appcore/ResultColumnVisibility.h"
#include "document/Box.h"
#include "document/BoxPreferences.h"
#include "search/ResultTable.h"
#include "search/SearchResultsText.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QEvent>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

namespace fendle {

SearchView::SearchView(Box& box, QWidget* parent)
    : QWidget(parent),
      box_(box),
      model_(new ResultTableModel(box, this)),
      ruleEditor_(new RuleEditorWidget(box, this)),
      table_(new ZNTableView(this)),
      previewText_(new QTextEdit(this)),
      previewDocument_(*previewText_->document()),
      previewSource_(new QLineEdit(this)),
      status_(new QLabel(this)) {
    table_->setModel(model_);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header, &QHeaderView::sortIndicatorChanged, model_, &ResultTableModel::sort);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (const std::unique_ptr<QMenu> menu = columnMenu())
            menu->exec(table_->horizontalHeader()->mapToGlobal(pos));
    });

    previewText_->setReadOnly(true);
    previewSource_->setReadOnly(true);

    auto* rules = new RuleArea(ruleEditor_, this);
    auto* preview = new QWidget(this);
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    previewLayout->addWidget(previewText_);
    previewLayout->addWidget(previewSource_);
    auto* resultsAndPreview = new QSplitter(Qt::Horizontal, this);
    resultsAndPreview->addWidget(table_);
    resultsAndPreview->addWidget(preview);
    resultsAndPreview->setStretchFactor(0, 3);
    resultsAndPreview->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rules);
    layout->addWidget(resultsAndPreview, 1);
    layout->addWidget(status_);
    // Said over the empty table, so an empty result does not look like a fault.
    emptyState_ = new QLabel(QStringLiteral("No slips match these rules."), table_->viewport());
    emptyState_->setObjectName(QStringLiteral("emptyState"));
    emptyState_->setAlignment(Qt::AlignCenter);
    emptyState_->setEnabled(false);
    table_->viewport()->installEventFilter(this);
    header->setStretchLastSection(true);
    header->setMinimumSectionSize(40);
    previewText_->setPlaceholderText(QStringLiteral("The selected slip's text"));
    previewSource_->setPlaceholderText(QStringLiteral("Source"));

    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SearchView::tableViewSelectionDidChange);
    connect(table_, &QAbstractItemView::doubleClicked, this, &SearchView::doubleClickOnBoxTable);
    connect(table_, &ZNTableView::returnPressed, this, &SearchView::doubleClickOnBoxTable);
    table_->typeAheadStrings = [this] { return box_.currentSearchResults().slipIDsForResults(); };
    connectToBox();
    refresh();
}

SearchView::~SearchView() = default;

void SearchView::setColumnDefaults(Defaults& defaults, UiPort* ui) {
    columnVisibility_ = std::make_unique<ResultColumnVisibility>(defaults, ui);
    updateResultsTableColumnsVisible();
}

void SearchView::updateResultsTableColumnsVisible() {
    if (columnVisibility_) showOnlyColumns(columnVisibility_->visibleColumns());
}

void SearchView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateResultsTableColumnsVisible();
}

QStringList SearchView::visibleColumns() const {
    QStringList visible;
    for (const QString& identifier : ResultTableModel::columnIdentifiers())
        if (!table_->isColumnHidden(ResultTableModel::columnOf(identifier))) visible.append(identifier);
    return visible;
}

void SearchView::showOnlyColumns(const QStringList& identifiers) {
    for (const QString& identifier : ResultTableModel::columnIdentifiers())
        table_->setColumnHidden(ResultTableModel::columnOf(identifier), !identifiers.contains(identifier));
}

std::unique_ptr<QMenu> SearchView::columnMenu() {
    if (!columnVisibility_) return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    const QStringList visible = visibleColumns();
    for (const auto& column : ResultColumnVisibility::columns()) {
        QAction* item = menu->addAction(column.title);
        item->setCheckable(true);
        item->setChecked(visible.contains(column.identifier));
        connect(item, &QAction::triggered, this, [this, title = column.title] {
            showOnlyColumns(columnVisibility_->toggleColumn(title, visibleColumns()));
            emit columnsChanged();
        });
    }
    return menu;
}

void SearchView::connectToBox() {
    connect(&box_, &fendle::Box::searchResultsChanged, this, &SearchView::refresh);
    connect(&box_, &fendle::Box::searchResultRowChanged, this, &SearchView::refreshRow);
    connect(&box_, &fendle::Box::ruleValueFocusRequested, ruleEditor_, &RuleEditorWidget::focusValueControlOfRow);
}

void SearchView::refresh() {
    reloading_ = true;
    model_->reload();
    selectRowsOfBox();
    reloading_ = false;
    fitColumnsToContents();
    emptyState_->setVisible(model_->rowCount() == 0);
    ruleEditor_->refresh();
    clearPreview();
    updateNumberOfSearchResultsTextField();
}

bool SearchView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_->viewport() && event->type() == QEvent::Resize) emptyState_->resize(table_->viewport()->size());
    return QWidget::eventFilter(watched, event);
}

void SearchView::fitColumnsToContents() {
    // The widest of the first rows sets a column's width, within a bound,
    // so keywords and titles show and the last column takes the rest.
    QHeaderView* header = table_->horizontalHeader();
    header->setResizeContentsPrecision(MeasuredRows);
    const int widest = qMax(160, width() / 3);
    for (int column = 0; column < model_->columnCount(); ++column) {
        if (table_->isColumnHidden(column)) continue;
        table_->resizeColumnToContents(column);
        if (table_->columnWidth(column) > widest) table_->setColumnWidth(column, widest);
    }
}

void SearchView::refreshRow(qsizetype row) { model_->reloadRow(int(row)); }

void SearchView::selectRowsOfBox() {
    QItemSelection selection;
    for (const qsizetype row : box_.selectedSearchResultRows())
        selection.select(model_->index(int(row), 0), model_->index(int(row), model_->columnCount() - 1));
    table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void SearchView::tableViewSelectionDidChange() {
    if (reloading_) return;
    QList<qsizetype> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows.append(index.row());
    box_.selectSearchResultRows(rows);
    emit resultSelectionChanged();
    if (box_.selectedTab() != BoxTab::Search || rows.isEmpty()) return;
    // The row clicked last is the table's selected row.
    const QModelIndex current = table_->selectionModel()->currentIndex();
    const qsizetype row = current.isValid() && table_->selectionModel()->isRowSelected(current.row())
                              ? current.row()
                              : box_.selectedSearchResultRows().last();
    const QString key = box_.currentSearchResults().resultAtIndex(row).resultID();
    if (const SlipPtr slip = box_.slip(key)) {
        box_.setCurrentSlip(slip);
        box_.updateWindow();
    }
    showPreview(key);
    updateNumberOfSearchResultsTextField();
}

void SearchView::showPreview(const QString& key) {
    clearPreview();
    const SlipPtr slip = box_.slip(key);
    if (!slip) return;
    // The slip's text as the slip text view shows it, pictures and all.
    previewDocument_.setFallbackFont(box_.preferences().slipTextFont());
    previewDocument_.setRichText(slip->text().value_or(RichText()));
    previewSource_->setText(slip->source().value_or(QString()));
}

void SearchView::clearPreview() {
    previewText_->clear();
    previewSource_->clear();
}

void SearchView::doubleClickOnBoxTable() {
    if (!table_->selectionModel()->hasSelection()) return;
    box_.selectTabViewItemWithLabel(BoxTab::Slip);
}

void SearchView::updateNumberOfSearchResultsTextField() {
    const QItemSelectionModel* selection = table_->selectionModel();
    const qsizetype selected = selection->selectedRows().size();
    const QModelIndex current = selection->currentIndex();
    qsizetype row = -1;
    if (selected > 0)
        row = current.isValid() && selection->isRowSelected(current.row()) ? current.row()
                                                                           : box_.selectedSearchResultRows().last();
    status_->setText(searchResultsStatusText(row, model_->rowCount(), selected));
}

}  // namespace fendle
