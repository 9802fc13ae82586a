#include "document/InfoPanelModel.h"

#include "document/Box.h"
#include "document/BoxStatistics.h"
#include "document/UndoNames.h"
#include "platform/system/DateUtils.h"
#include "platform/ui/UiPort.h"
#include "scents/KeywordScent.h"
#include "search/SavedSearchesTable.h"
#include "search/SearchRuleEditor.h"

namespace fendle {
namespace names = undo_names;

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
    registerAuthorUndo(slip);
    slip->setAuthor(fieldText);
    ui_.refreshInspector();
}

void InfoPanelModel::registerAuthorUndo(const SlipPtr& slip) {
    const AuthorRecord record{slip->key(), slip->lastModificationTime(), slip->author()};
    box_.undoManager().registerUndo([this, record] { applyAuthorChangeUndo(record); }, names::ChangeSlipAuthor);
    box_.markDocumentEdited();
}

void InfoPanelModel::applyAuthorChangeUndo(const AuthorRecord& record) {
    const SlipPtr slip = box_.slip(record.key);
    if (!slip) return;  // the slip has gone since; nothing left to put back
    const SlipPtr current = box_.currentSlip();
    if (!current || current->key() != record.key) {
        const QString format = box_.undoManager().isUndoing() ? QStringLiteral("The undo operation affects slip %1.")
                                                               : QStringLiteral("The redo operation affects slip %1.");
        ui_.displayAlert(format.arg(record.key));
        box_.changeCurrentSlip(slip, false);
    }
    const bool undoing = box_.undoManager().isUndoing();
    registerAuthorUndo(slip);
    slip->setAuthorWithoutLastModificationDate(record.author);
    if (undoing)
        slip->setLastModificationTime(record.lastModificationTime);
    else
        slip->updateLastModificationTime();
    ui_.refreshInspector();
}

InfoPanelModel::KeywordAction InfoPanelModel::doubleClickOnKeywordsListTable(const QString& keyword) {
    const QString& tab = box_.selectedTabViewItemLabel();
    if (tab == Box::SlipTab) {
        if (box_.inTrashMode()) return KeywordAction::None;
        box_.addKeywordToCurrentSlip(keyword);
        return KeywordAction::AddedToSlip;
    }
    if (tab == Box::SearchTab) {
        box_.searchRuleEditor().addKeywordToSearch(keyword);
        return KeywordAction::AddedToSearch;
    }
    if (tab == Box::KeywordScentTab) return KeywordAction::FindInKeywordScent;
    if (tab == Box::AlternatingScentTab) return KeywordAction::FindInAlternatingScent;
    return KeywordAction::None;
}

void InfoPanelModel::saveSearch() {
    if (SavedSearchesTable(box_.box()).saveSearch(box_.currentSearchRuleEditorState())) box_.markDocumentEdited();
}

void InfoPanelModel::replaceSearch(qsizetype row) {
    if (SavedSearchesTable(box_.box()).replaceSearch(row, box_.currentSearchRuleEditorState()))
        box_.markDocumentEdited();
}

void InfoPanelModel::deleteSearch(qsizetype row) {
    if (SavedSearchesTable(box_.box()).deleteSearch(row)) box_.markDocumentEdited();
}

void InfoPanelModel::renameSearch(qsizetype row, const QString& name) {
    if (SavedSearchesTable(box_.box()).renameSearch(row, name)) box_.markDocumentEdited();
}

void InfoPanelModel::restoreSearchToSavedSearch(qsizetype row) {
    const QVariant rules = SavedSearchesTable(box_.box()).rulesAtRow(row);
    if (rules.typeId() == QMetaType::QVariantList) box_.setSearchRuleEditorState(rules.toList());
}

}  // namespace fendle
