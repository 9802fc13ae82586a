#pragma once
#include "search/SortDescriptor.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace fendle {

// The two-column list of singleton keywords or orphaned slips. It is made
// once per command and does not follow later changes of the box; only its
// double click acts on the box.
class KeywordAndSlipWindow {
public:
    struct Row {
        QString text;  // keyword, or the problem of an orphaned slip
        QString key;
        friend bool operator==(const Row&, const Row&) = default;
    };
    static inline const QString KeywordColumn = QStringLiteral("keyword");
    static inline const QString SlipColumn = QStringLiteral("slip");

    explicit KeywordAndSlipWindow(QList<Row> rows) : singletonKeywordsArray_(std::move(rows)) {}

    const QList<Row>& singletonKeywordsArray() const { return singletonKeywordsArray_; }
    void setSingletonKeywordsArray(const QList<Row>& rows) { singletonKeywordsArray_ = rows; }
    const QString& title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    const QString& keywordColumnHeader() const { return keywordColumnHeader_; }
    void setKeywordColumnHeader(const QString& header) { keywordColumnHeader_ = header; }
    bool slipColumnFirst() const { return slipColumnFirst_; }
    void setSlipColumnFirst(bool first) { slipColumnFirst_ = first; }

    // Table data source.
    qsizetype numberOfRowsInTableView() const { return singletonKeywordsArray_.size(); }
    QVariant objectValue(const QString& columnIdentifier, qsizetype row) const;
    void tableViewSortDescriptorsDidChange(const QList<SortDescriptor>& descriptors);
    void sortTableWithSortDescriptors(const QList<SortDescriptor>& descriptors);

    // Row comparisons: plain for keywords, numeric for slip keys.
    static bool sortKeywordsAscending(const Row& a, const Row& b);
    static bool sortKeywordsDescending(const Row& a, const Row& b);
    static bool sortSlipAscending(const Row& a, const Row& b);
    static bool sortSlipDescending(const Row& a, const Row& b);

    // -1 when no row is selected; sorting clears the selection.
    qsizetype selectedRow() const { return selectedRow_; }
    void selectRow(qsizetype row) { selectedRow_ = row >= 0 && row < singletonKeywordsArray_.size() ? row : -1; }
    // The double action: gets the key of the selected row.
    void setDoubleAction(std::function<void(const QString&)> action) { doubleAction_ = std::move(action); }
    void doubleClick() const;

private:
    QList<Row> singletonKeywordsArray_;
    QString title_ = QStringLiteral("Singleton Keywords");
    QString keywordColumnHeader_ = QStringLiteral("Keyword");
    bool slipColumnFirst_ = false;
    qsizetype selectedRow_ = -1;
    std::function<void(const QString&)> doubleAction_;
};

}  // namespace fendle
