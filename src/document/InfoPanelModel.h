#pragma once
#include "model/Slip.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

namespace fendle {

class Box;

// What the inspector panel does to the box it refers to: the slip
// information, the author field with its undo, the keyword list's double
// action and the saved searches. The panel itself only shows the answers.
class InfoPanelModel {
public:
    static inline const QString NotAvailable = QStringLiteral("not available");

    struct SlipInfo {
        QString slipID;
        QString author;
        QString creationTime;
        QString lastModificationTime;
        QString words;
        QString keywords;
        QString keywordScents;
        QString slipScents;
    };

    // What a double-click on a keyword leaves to the view: in the two scent
    // tabs the view finds the keyword's row itself.
    enum class KeywordAction { None, AddedToSlip, AddedToSearch, FindInKeywordScent, FindInAlternatingScent };

    explicit InfoPanelModel(Box& box) : box_(box) {}

    SlipInfo slipInfoForSlip(const Slip& slip);
    // The author field's action with the field's text.
    void slipAuthorChanged(const QString& fieldText);
    KeywordAction doubleClickOnKeywordsListTable(const QString& keyword);

    // Saved searches: each marks the document changed, none is undoable.
    void saveSearch();
    void replaceSearch(qsizetype row);
    void deleteSearch(qsizetype row);
    void renameSearch(qsizetype row, const QString& name);
    void restoreSearchToSavedSearch(qsizetype row);

private:
    Box& box_;

    template <typename Edit>
    void editSavedSearches(Edit edit);
};

}  // namespace fendle
