#include "app/windows/DesktopSearchWindow.h"

#include "app/editing/RichTextDocument.h"
#include "fendlelook/CacheFile.h"
#include "fendlelook/PreviewDocument.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QSplitter>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace fendle {

DesktopSearchWindow::DesktopSearchWindow(UiPort& ui, Host& host, QWidget* parent)
    : QWidget(parent, Qt::Window),
      ui_(ui),
      host_(host),
      field_(new QLineEdit(this)),
      table_(new QTableView(this)),
      preview_(new QTextBrowser(this)),
      status_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Desktop Search"));
    setObjectName(QStringLiteral("desktopSearchWindow"));
    field_->setClearButtonEnabled(true);
    field_->setPlaceholderText(QStringLiteral("\"keyword\" \"phrase\" word"));
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    // One line a row; widths fixed, not measured: measuring would read every row.
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(DesktopSearchResultsModel::TitleColumn, QHeaderView::Stretch);
    header->resizeSection(DesktopSearchResultsModel::BoxColumn, 90);
    header->resizeSection(DesktopSearchResultsModel::SlipColumn, 45);
    header->resizeSection(DesktopSearchResultsModel::KeywordsColumn, 140);
    header->resizeSection(DesktopSearchResultsModel::ModifiedColumn, 165);
    preview_->setOpenLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(table_);
    splitter->addWidget(preview_);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({720, 360});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(field_);
    layout->addWidget(splitter, 1);
    layout->addWidget(status_);
    resize(1100, 560);

    connect(field_, &QLineEdit::textEdited, this, [this] { runSearch(); });
    connect(field_, &QLineEdit::returnPressed, this, [this] {
        if (!table_->currentIndex().isValid() && model_.rowCount() > 0) table_->selectRow(0);
        openSelectedResult();
    });
    // Double-click and Return.
    connect(table_, &QAbstractItemView::activated, this, [this] { openSelectedResult(); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { showPreview(); });
    // A generation that rewrote cache files shows in the results at once;
    // searching again also takes the changes the kernel reported.
    if (index_.changeDescriptor() >= 0) {
        auto* changes = new QSocketNotifier(qintptr(index_.changeDescriptor()), QSocketNotifier::Read, this);
        connect(changes, &QSocketNotifier::activated, this, [this] { runSearch(); });
    }
}

bool DesktopSearchWindow::search(const QString& query) {
    field_->setText(query);
    return runSearch();
}

bool DesktopSearchWindow::runSearch() {
    const QModelIndex current = table_->currentIndex();
    const QString selected = current.isValid() ? model_.results().at(current.row()).cacheFile : QString();
    // Cache files written since the last search count; the index reads only those.
    const bool readable = index_.refresh(ui_);
    model_.setResults(readable ? index_.search(DesktopSearchQuery::parse(field_->text())) : QList<DesktopSearchResult>());
    int row = 0;
    for (int i = 0; i < model_.rowCount() && !selected.isEmpty(); ++i) {
        if (model_.results().at(i).cacheFile != selected) continue;
        row = i;
        break;
    }
    if (model_.rowCount() > 0) table_->selectRow(row);
    else showPreview();
    updateStatus();
    return readable;
}

void DesktopSearchWindow::updateStatus() {
    QString text = QStringLiteral("%1 slips found").arg(model_.rowCount());
    if (index_.skippedCount() > 0) text += QStringLiteral(" - %1 unreadable cache files skipped").arg(index_.skippedCount());
    status_->setText(text);
}

void DesktopSearchWindow::showPreview() {
    preview_->clear();
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || !table_->selectionModel()->isRowSelected(current.row(), {})) return;
    const std::optional<look::CacheFile> file = look::CacheFile::read(model_.results().at(current.row()).cacheFile);
    if (!file) return;
    RichTextDocument(*preview_->document()).setRichText(look::PreviewDocument::text(*file));
}

void DesktopSearchWindow::openSelectedResult() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) return;
    host_.openCacheFile(model_.results().at(current.row()).cacheFile);
}

}  // namespace fendle
