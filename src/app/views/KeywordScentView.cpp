#include "app/views/KeywordScentView.h"

#include "app/views/KeywordScentModel.h"
#include "app/views/ScentRowScrolling.h"
#include "app/views/ZNOutlineView.h"
#include "document/Box.h"
#include "search/SearchRuleEditor.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace fendle {

KeywordScentView::KeywordScentView(Box& box, QWidget* parent)
    : QWidget(parent),
      box_(box),
      model_(new KeywordScentModel(this)),
      tree_(new ZNOutlineView(this)),
      showDuplicates_(new QCheckBox(tr("Show duplicates in scent path"), this)),
      useScentPath_(new QCheckBox(tr("Use scent path for search"), this)) {
    tree_->setModel(model_);
    tree_->setItemDelegate(new DetailedRowDelegate(tree_));
    showDuplicates_->setChecked(box_.showDuplicatesInScentPath());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(showDuplicates_);
    buttons->addWidget(useScentPath_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);
    layout->addLayout(buttons);

    connect(showDuplicates_, &QCheckBox::toggled, this, &KeywordScentView::showDuplicatesInScentPathButtonChanged);
    connect(tree_, &QAbstractItemView::doubleClicked, this, &KeywordScentView::doubleClickOnScentTable);
    connect(tree_, &ZNOutlineView::returnPressed, this, &KeywordScentView::doubleClickOnScentTable);
    keepExpandedRowsInView(*tree_);
    connectToBox();
}

void KeywordScentView::connectToBox() {
    connect(&box_.document(), &BoxDocument::keywordScentsRebuilt, this, &KeywordScentView::refresh);
}

void KeywordScentView::refresh() {
    // Asking the box for its index may rebuild it, which calls back here.
    if (refreshing_) return;
    refreshing_ = true;
    model_->setKeywordScent(box_.keywordScents());
    tree_->clearSelection();
    refreshing_ = false;
}

bool KeywordScentView::useScentPathForSearch() const { return useScentPath_->isChecked(); }

void KeywordScentView::setUseScentPathForSearch(bool on) { useScentPath_->setChecked(on); }

void KeywordScentView::showDuplicatesInScentPathButtonChanged() {
    const bool show = showDuplicates_->isChecked();
    box_.setShowDuplicatesInScentPath(show);
    // The tree starts afresh, all collapsed; children follow the new flag.
    model_->setShowDuplicates(show);
}

void KeywordScentView::doubleClickOnScentTable() {
    const QModelIndexList selected = tree_->selectionModel()->selectedRows();
    if (selected.isEmpty()) return;
    QStringList keywords = model_->keywordsOnPath(selected.first());
    if (!useScentPath_->isChecked()) keywords = keywords.mid(0, 1);
    box_.selectTabViewItemWithLabel(BoxTab::Search);
    for (const QString& keyword : keywords) box_.searchRuleEditor().addKeywordToSearch(keyword);
}

}  // namespace fendle
