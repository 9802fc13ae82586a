#include "app/windows/InfoPanel.h"

#include "app/views/AlternatingScentModel.h"
#include "app/views/AlternatingScentView.h"
#include "app/windows/BoxWindow.h"
#include "app/views/KeywordScentView.h"
#include "app/views/LocaleDate.h"
#include "app/program/QtUiPort.h"
#include "app/dialogs/ResizeImageView.h"
#include "app/views/ScentRowFinder.h"
#include "app/views/ZNOutlineView.h"
#include "app/windows/ExtraSlipWindowPlacement.h"
#include "document/Box.h"
#include "platform/system/Defaults.h"
#include "platform/ui/UndoManager.h"
#include "search/SavedSearchesTable.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QStringListModel>
#include <QToolButton>
#include <QVBoxLayout>

namespace fendle {
namespace {
const QStringList viewNames{InfoPanel::KeywordsListView, InfoPanel::SavedSearchesView, InfoPanel::SlipInfoView,
                            InfoPanel::ResizeImageViewName};
const QStringList viewTitles{QStringLiteral("Keywords"), QStringLiteral("Saved Searches"), QStringLiteral("Slip Info"),
                             QStringLiteral("Resize Image")};
enum Page { KeywordsPage, SavedSearchesPage, SlipInfoPage, ResizeImagePage };
const QStringList infoFieldTitles{QStringLiteral("Slip ID"),  QStringLiteral("Created"),
                                  QStringLiteral("Modified"), QStringLiteral("Words"),
                                  QStringLiteral("Keywords"), QStringLiteral("Keyword Scents"),
                                  QStringLiteral("Slip Scents")};
}  // namespace

InfoPanel::InfoPanel(Defaults& defaults, const InspectorTarget& target, QWidget* parent)
    : QWidget(parent, Qt::Tool), defaults_(defaults), target_(target),
      buttons_(new QButtonGroup(this)), pages_(new QStackedWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    auto* buttonRow = new QHBoxLayout;
    for (int i = 0; i < viewTitles.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setText(viewTitles[i]);
        button->setCheckable(true);
        buttons_->addButton(button, i);
        buttonRow->addWidget(button);
    }
    buttonRow->addStretch();
    layout->addLayout(buttonRow);
    layout->addWidget(pages_);
    pages_->addWidget(makeKeywordsPage());
    pages_->addWidget(makeSavedSearchesPage());
    pages_->addWidget(makeSlipInfoPage());
    resizeImage_ = new ResizeImageView(target_, this);
    pages_->addWidget(resizeImage_);
    connect(buttons_, &QButtonGroup::idClicked, this, [this](int id) { showView(viewNames.value(id)); });

    const QString frame = defaults_.stringForKey(FrameKey);
    if (!frame.isEmpty()) placed_ = restoreGeometry(QByteArray::fromBase64(frame.toLatin1()));
    showView(defaults_.stringForKey(SelectedViewKey));
}

QWidget* InfoPanel::makeKeywordsPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    keywords_ = new QStringListModel(this);
    keywordsList_ = new QListView(page);
    keywordsList_->setModel(keywords_);
    keywordsList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    addKeywordToSearch_ = new QPushButton(QStringLiteral("Add to Search"), page);
    layout->addWidget(keywordsList_);
    layout->addWidget(addKeywordToSearch_);
    connect(keywordsList_, &QAbstractItemView::doubleClicked, this, &InfoPanel::doubleClickOnKeywordsListTable);
    connect(keywordsList_, &QAbstractItemView::activated, this, &InfoPanel::doubleClickOnKeywordsListTable);
    connect(addKeywordToSearch_, &QPushButton::clicked, this, &InfoPanel::doubleClickOnKeywordsListTable);
    return page;
}

QWidget* InfoPanel::makeSavedSearchesPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    savedSearches_ = new QListWidget(page);
    layout->addWidget(savedSearches_);
    auto* buttons = new QHBoxLayout;
    const std::pair<QString, void (InfoPanel::*)()> actions[] = {
        {QStringLiteral("Save"), &InfoPanel::saveSearch},
        {QStringLiteral("Replace"), &InfoPanel::replaceSearch},
        {QStringLiteral("Delete"), &InfoPanel::deleteSearch}};
    for (const auto& [title, action] : actions) {
        auto* button = new QPushButton(title, page);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
        if (action != &InfoPanel::saveSearch) savedSearchButtons_.append(button);
    }
    buttons->addStretch();
    noSavedSearches_ = new QLabel(QStringLiteral("No saved searches yet. Save keeps the search rules of the front box."), page);
    noSavedSearches_->setWordWrap(true);
    noSavedSearches_->setEnabled(false);
    layout->addWidget(noSavedSearches_);
    layout->addLayout(buttons);
    connect(savedSearches_, &QListWidget::currentRowChanged, this, &InfoPanel::enableSavedSearchButtons);
    connect(savedSearches_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (movingSelectionMyself_ || row < 0) return;
        withModel([row](InfoPanelModel& model, BoxWindow&) { model.restoreSearchToSavedSearch(row); });
    });
    connect(savedSearches_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (movingSelectionMyself_) return;
        const int row = savedSearches_->row(item);
        withModel([row, name = item->text()](InfoPanelModel& model, BoxWindow&) { model.renameSearch(row, name); });
    });
    enableSavedSearchButtons();
    return page;
}

QWidget* InfoPanel::makeSlipInfoPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    author_ = new QLineEdit(page);
    for (const QString& title : infoFieldTitles) {
        infoFields_[title] = new QLabel(page);
        infoFields_[title]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(title + QLatin1Char(':'), infoFields_[title]);
        if (title == QLatin1String("Slip ID")) form->addRow(QStringLiteral("Author:"), author_);
    }
    connect(author_, &QLineEdit::editingFinished, this, [this] {
        withModel([text = author_->text()](InfoPanelModel& model, BoxWindow&) { model.slipAuthorChanged(text); });
    });
    return page;
}

void InfoPanel::withModel(const std::function<void(InfoPanelModel&, BoxWindow&)>& f) {
    BoxWindow* window = currentWindow();
    if (!window) return;
    Box& box = window->box();
    {
        UndoManager::EventScope event(box.undoManager());
        InfoPanelModel model(box);
        f(model, *window);
    }
    window->scheduleValidation();
    update();
}

void InfoPanel::show() {
    update();
    if (BoxWindow* window = currentWindow()) keepBeside(*window);
    QWidget::show();
    raise();
}

void InfoPanel::keepBeside(BoxWindow& window) {
    // First shown without a stored frame: beside the box window, not in a screen corner.
    if (!placed_ && window.screen()) {
        adjustSize();
        move(ExtraSlipWindowPlacement::besideWindow(window.frameGeometry(), frameGeometry().size(),
                                                    window.screen()->availableGeometry()));
        placed_ = true;
    }
    // A tool window stays above the window it belongs to.
    winId();
    if (windowHandle() && window.windowHandle()) windowHandle()->setTransientParent(window.windowHandle());
}

QString InfoPanel::selectedViewName() const { return viewNames.value(pages_->currentIndex()); }

void InfoPanel::showView(const QString& name) {
    const int index = std::max<int>(0, static_cast<int>(viewNames.indexOf(name)));
    if (index == KeywordsPage) {
        if (BoxWindow* window = currentWindow()) window->box().storeCurrentSlip();
    }
    pages_->setCurrentIndex(index);
    buttons_->button(index)->setChecked(true);
    setWindowTitle(viewTitles[index]);
    if (index == ResizeImagePage) resizeImage_->initiateResizeImage();
    update();
}

void InfoPanel::slipTextSelectionChanged() {
    if (pages_->currentIndex() == ResizeImagePage) resizeImage_->initiateResizeImage();
}

void InfoPanel::reopenResizeImage() { showView(ResizeImageViewName); }

void InfoPanel::update() {
    BoxWindow* window = currentWindow();
    addKeywordToSearch_->setEnabled(window && window->box().selectedTab() == BoxTab::Search);
    switch (pages_->currentIndex()) {
    case KeywordsPage: updateKeywordsList(); break;
    case SavedSearchesPage: savedSearchesChanged(savedSearches_->currentRow()); break;
    case SlipInfoPage: showSlipInfo(); break;
    // The resize view is left alone: it follows the slip text's selection.
    default: break;
    }
}

void InfoPanel::updateKeywordsList() {
    BoxWindow* window = currentWindow();
    const QModelIndex selected = keywordsList_->currentIndex();
    const QString before = selected.isValid() ? selected.data().toString() : QString();
    keywords_->setStringList(window ? window->box().box().keywordsInBox() : QStringList());
    if (before.isEmpty()) return;
    const QModelIndexList again = keywords_->match(keywords_->index(0), Qt::DisplayRole, before, 1, Qt::MatchExactly);
    if (!again.isEmpty()) keywordsList_->setCurrentIndex(again.first());
}

void InfoPanel::savedSearchesChanged(int rowToSelect) {
    BoxWindow* window = currentWindow();
    movingSelectionMyself_ = true;
    savedSearches_->clear();
    if (window) {
        const SavedSearchesTable table(window->box().box().savedSearches());
        for (qsizetype row = 0; row < table.numberOfRows(); ++row) {
            auto* item = new QListWidgetItem(table.nameAtRow(row), savedSearches_);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
    }
    if (rowToSelect >= 0 && rowToSelect < savedSearches_->count()) savedSearches_->setCurrentRow(rowToSelect);
    movingSelectionMyself_ = false;
    noSavedSearches_->setVisible(savedSearches_->count() == 0);
    enableSavedSearchButtons();
}

void InfoPanel::enableSavedSearchButtons() {
    // Replace and Delete act on the selected search.
    const bool selected = savedSearches_->currentRow() >= 0 && !savedSearches_->selectedItems().isEmpty();
    for (QPushButton* button : savedSearchButtons_) button->setEnabled(selected);
}

void InfoPanel::showSlipInfo() {
    BoxWindow* window = currentWindow();
    // The slip information shows an extra slip window's slip when one is in front.
    const SlipPtr extraSlip = window ? target_.keyExtraWindowSlip() : nullptr;
    const SlipPtr slip = extraSlip ? extraSlip : window ? window->box().currentSlip() : nullptr;
    if (!slip) {
        for (auto& [title, label] : infoFields_) label->setText(InfoPanelModel::NotAvailable);
        author_->setText(InfoPanelModel::NotAvailable);
        return;
    }
    if (!extraSlip) window->box().storeCurrentSlip();
    // The author field changes the box's current slip, not the one shown here.
    author_->setReadOnly(extraSlip != nullptr);
    const InfoPanelModel::SlipInfo info = InfoPanelModel(window->box()).slipInfoForSlip(*slip);
    const QString values[] = {info.slipID, info.creationTime,  info.lastModificationTime, info.words,
                              info.keywords, info.keywordScents, info.slipScents};
    for (int i = 0; i < infoFieldTitles.size(); ++i) infoFields_[infoFieldTitles[i]]->setText(values[i]);
    // People read the times in their own locale; the standard form stays for the files.
    if (slip->creationTime().isValid()) infoFields_[QStringLiteral("Created")]->setText(localeDateText(slip->creationTime()));
    if (slip->lastModificationTime().isValid())
        infoFields_[QStringLiteral("Modified")]->setText(localeDateText(slip->lastModificationTime()));
    if (!author_->hasFocus()) author_->setText(info.author);
}

QString InfoPanel::slipInfoText(const QString& field) const {
    if (field == QLatin1String("Author")) return author_->text();
    const auto it = infoFields_.find(field);
    return it == infoFields_.end() ? QString() : it->second->text();
}

void InfoPanel::doubleClickOnKeywordsListTable() {
    const QModelIndex index = keywordsList_->currentIndex();
    if (!index.isValid()) return;
    const QString keyword = index.data().toString();
    withModel([keyword](InfoPanelModel& model, BoxWindow& window) {
        switch (model.doubleClickOnKeywordsListTable(keyword)) {
        case InfoPanelModel::KeywordAction::FindInKeywordScent:
            selectKeywordRow(*window.keywordScentView()->outlineView(), keyword);
            break;
        case InfoPanelModel::KeywordAction::FindInAlternatingScent: {
            AlternatingScentView& view = *window.alternatingScentView();
            selectKeywordRow(view, keyword, [&view](const QModelIndex& row) { return !view.scentModel().isSlipRow(row); });
            break;
        }
        default: break;
        }
    });
}

void InfoPanel::saveSearch() {
    withModel([](InfoPanelModel& model, BoxWindow&) { model.saveSearch(); });
    savedSearchesChanged(savedSearches_->count() - 1);
}

void InfoPanel::replaceSearch() {
    const int row = savedSearches_->currentRow();
    withModel([row](InfoPanelModel& model, BoxWindow&) { model.replaceSearch(row); });
}

void InfoPanel::deleteSearch() {
    const int row = savedSearches_->currentRow();
    withModel([row](InfoPanelModel& model, BoxWindow&) { model.deleteSearch(row); });
}

void InfoPanel::storeState() {
    defaults_.setObject(SelectedViewKey, selectedViewName());
    defaults_.setObject(FrameKey, QString::fromLatin1(saveGeometry().toBase64()));
}

void InfoPanel::hideEvent(QHideEvent* event) {
    storeState();
    QWidget::hideEvent(event);
}

void InfoPanel::closeEvent(QCloseEvent* event) {
    storeState();
    QWidget::closeEvent(event);
}

}  // namespace fendle
