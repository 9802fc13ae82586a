#include "document/InfoPanelModel.h"

#include "document/Box.h"
#include "document/BoxStatistics.h"
#include "document/commands/ChangeSlipAuthorCommand.h"
#include "platform/system/DateUtils.h"
#include "platform/ui/UiPort.h"
#include "scents/KeywordScent.h"
#include "search/SavedSearchesTable.h"
#include "search/SearchRuleEditor.h"

namespace fendle {

namespace {
QString orNotAvailable(const std::optional<QString>& value) {
    return value ? *value : InfoPanelModel::NotAvailable;
}

QString dateOrNotAvailable(const QDateTime& time) {
    return time.isValid() ? standardDescription(time) : InfoPanelModel::NotAvailable;
}
}  // namespace

InfoPanelModel::SlipInfo InfoPanelModel::slipInfoForSlip(const Slip& slip) {
    SlipInfo info;
    info.slipID = slip.key().isEmpty() ? NotAvailable : slip.key();
    info.author = orNotAvailable(slip.author());
    info.creationTime = dateOrNotAvailable(slip.creationTime());
    info.lastModificationTime = dateOrNotAvailable(slip.lastModificationTime());
    info.words = QString::number(slip.text() ? BoxStatistics::wordCount(slip.text()->string()) : 0);
    const KeywordsArray keywords = slip.keywords();
    info.keywords = QString::number(keywords.count());
    box_.updateKeywordScents();
    const auto index = box_.keywordScents();
    qsizetype keywordScents = 0;
    for (const QString& keyword : keywords)
        if (const auto related = index->scentsForKeyword(keyword)) keywordScents += related->size();
    info.keywordScents = QString::number(keywordScents);
    info.slipScents = QString::number(box_.slipScentsForSlip(slip).count() - 1);
    return info;
}

void InfoPanelModel::slipAuthorChanged(const QString& fieldText) {
    const SlipPtr slip = box_.currentSlip();
    if (!slip) return;
    const std::optional<QString> author = slip->author();
    if (!author && fieldText == NotAvailable) return;
    if (author && *author == fieldText) return;
    ChangeSlipAuthorCommand::perform(box_, slip, fieldText);
}

InfoPanelModel::KeywordAction InfoPanelModel::doubleClickOnKeywordsListTable(const QString& keyword) {
    const BoxTab tab = box_.selectedTab();
    if (tab == BoxTab::Slip) {
        if (box_.inTrashMode()) return KeywordAction::None;
        box_.addKeywordToCurrentSlip(keyword);
        return KeywordAction::AddedToSlip;
    }
    if (tab == BoxTab::Search) {
        box_.searchRuleEditor().addKeywordToSearch(keyword);
        return KeywordAction::AddedToSearch;
    }
    if (tab == BoxTab::KeywordScent) return KeywordAction::FindInKeywordScent;
    if (tab == BoxTab::AlternatingScent) return KeywordAction::FindInAlternatingScent;
    return KeywordAction::None;
}

template <typename Edit>
void InfoPanelModel::editSavedSearches(Edit edit) {
    SavedSearchesTable table(box_.box().savedSearches());
    if (edit(table)) box_.document().setSavedSearches(table.savedSearchesOfMyBox());
}

void InfoPanelModel::saveSearch() {
    editSavedSearches([this](SavedSearchesTable& table) { return table.saveSearch(box_.currentSearchRuleEditorState()); });
}

void InfoPanelModel::replaceSearch(qsizetype row) {
    editSavedSearches(
        [this, row](SavedSearchesTable& table) { return table.replaceSearch(row, box_.currentSearchRuleEditorState()); });
}

void InfoPanelModel::deleteSearch(qsizetype row) {
    editSavedSearches([row](SavedSearchesTable& table) { return table.deleteSearch(row); });
}

void InfoPanelModel::renameSearch(qsizetype row, const QString& name) {
    editSavedSearches([row, &name](SavedSearchesTable& table) { return table.renameSearch(row, name); });
}

void InfoPanelModel::restoreSearchToSavedSearch(qsizetype row) {
    const QVariant rules = SavedSearchesTable(box_.box().savedSearches()).rulesAtRow(row);
    if (rules.typeId() == QMetaType::QVariantList) box_.setSearchRuleEditorState(rules.toList());
}

}  // namespace fendle
