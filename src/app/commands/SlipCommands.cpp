#include "app/commands/SlipCommands.h"

#include "app/dialogs/KeywordAndSlipWindowView.h"
#include "app/dialogs/ReplaceKeywordDialog.h"
#include "app/dialogs/StatisticsSheet.h"
#include "app/windows/BoxWindow.h"
#include "document/Box.h"
#include "document/DefaultFontConversion.h"
#include "document/KeywordMaintenance.h"
#include "document/OrphanedLinkSearch.h"
#include "document/SlipLinkMaker.h"

#include <QInputDialog>

namespace fendle {

SlipCommands::SlipCommands(BoxWindow& window) : window_(window) {}

SlipCommands::~SlipCommands() = default;

void SlipCommands::toggleFlagged() {
    window_.perform([this] { KeywordMaintenance(window_.box()).flagSlip(); });
}

void SlipCommands::flagAllSearchResults() {
    window_.perform([this] { KeywordMaintenance(window_.box()).flagAllSlips(); });
}

void SlipCommands::unflagAllSlips() {
    window_.perform([this] { KeywordMaintenance(window_.box()).unflagAllSlips(); });
}

void SlipCommands::addKeywordToSelectedResults() {
    const QStringList keys = window_.box().selectedSearchResultKeys();
    if (keys.isEmpty()) return;
    bool ok = false;
    const QString keyword = QInputDialog::getText(&window_, QStringLiteral("Add Keyword to Selected Results"),
                                                  QStringLiteral("Keyword:"), QLineEdit::Normal, QString(), &ok);
    if (ok) window_.perform([&] { KeywordMaintenance(window_.box()).addKeywordOK(keyword, keys); });
}

void SlipCommands::replaceKeyword(const QString& oldKeyword) {
    // Loaded once, then reused.
    if (!replaceKeywordDialog_) {
        replaceKeywordDialog_ = new ReplaceKeywordDialog(&window_);
        QObject::connect(replaceKeywordDialog_, &ReplaceKeywordDialog::replaceKeywordOK, replaceKeywordDialog_,
                         [this](const QString& from, const QString& to) {
                             window_.perform([&] { KeywordMaintenance(window_.box()).replaceKeywordOK(from, to); });
                         });
    }
    replaceKeywordDialog_->openWithOldKeyword(oldKeyword);
}

void SlipCommands::makeSlipLink() {
    window_.perform([this] { SlipLinkMaker(window_.box()).makeSlipLink(); });
}

void SlipCommands::findNextOrphanedSlipLink() {
    window_.perform([this] { OrphanedLinkSearch(window_.box()).findNextOrphanedSlipLink(); });
}

void SlipCommands::convertSelectedTextToDefault() {
    window_.perform([this] { convertSelectedSlipTextToDefault(window_.box(), window_.uiPort()); });
}

void SlipCommands::statistics() {
    BoxStatistics figures;
    window_.perform([&] { figures = KeywordMaintenance(window_.box()).statistics(); });
    StatisticsSheet::show(figures, &window_);
}

void SlipCommands::showList(const std::shared_ptr<KeywordAndSlipWindow>& list) {
    auto* view = new KeywordAndSlipWindowView(list, window_.box(), &window_);
    view->show();
}

void SlipCommands::findSingletonKeywords() {
    std::shared_ptr<KeywordAndSlipWindow> list;
    window_.perform([&] { list = KeywordMaintenance(window_.box()).findSingletonKeywords(); });
    showList(list);
}

void SlipCommands::findOrphanedSlips() {
    std::shared_ptr<KeywordAndSlipWindow> list;
    window_.perform([&] { list = KeywordMaintenance(window_.box()).findOrphanedSlips(); });
    showList(list);
}

}  // namespace fendle
