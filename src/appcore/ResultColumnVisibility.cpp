#include "appcore/ResultColumnVisibility.h"

#include "platform/system/Defaults.h"
#include "platform/ui/UiPort.h"

#include <functional>

namespace fendle {

namespace {
const ResultColumnVisibility::Column* columnWhere(const std::function<bool(const ResultColumnVisibility::Column&)>& test) {
    for (const auto& column : ResultColumnVisibility::columns())
        if (test(column)) return &column;
    return nullptr;
}

QStringList inTableOrder(const QStringList& identifiers) {
    QStringList ordered;
    for (const auto& column : ResultColumnVisibility::columns())
        if (identifiers.contains(column.identifier)) ordered.append(column.identifier);
    return ordered;
}
}  // namespace

const QList<ResultColumnVisibility::Column>& ResultColumnVisibility::columns() {
    static const QList<Column> all{
        {QStringLiteral("ID"), QStringLiteral("ID"), QStringLiteral("FDLSearchResultsTableIDColumnVisible")},
        {QStringLiteral("flagged"), QStringLiteral("Flagged"), QStringLiteral("FDLSearchResultsTableFlaggedColumnVisible")},
        {QStringLiteral("value"), QStringLiteral("Keywords"), QStringLiteral("FDLSearchResultsTableKeywordsColumnVisible")},
        {QStringLiteral("slipTitle"), QStringLiteral("Title"), QStringLiteral("FDLSearchResultsTableTitleColumnVisible")},
        {QStringLiteral("source"), QStringLiteral("Source"), QStringLiteral("FDLSearchResultsTableSourceColumnVisible")},
        {QStringLiteral("slipType"), QStringLiteral("Type"), QStringLiteral("FDLSearchResultsTableTypeColumnVisible")},
        {QStringLiteral("author"), QStringLiteral("Author"), QStringLiteral("FDLSearchResultsTableAuthorColumnVisible")},
        {QStringLiteral("creationDate"), QStringLiteral("Creation Date"),
         QStringLiteral("FDLSearchResultsTableCreationDateColumnVisible")},
        {QStringLiteral("modificationDate"), QStringLiteral("Modification Date"),
         QStringLiteral("FDLSearchResultsTableModificationDateColumnVisible")},
    };
    return all;
}

void ResultColumnVisibility::show(const QString& identifier, QStringList& visible) {
    const Column* column = columnWhere([&](const Column& c) { return c.identifier == identifier; });
    if (!column) return;
    defaults_.setObject(column->key, true);
    if (!visible.contains(identifier)) visible.append(identifier);
}

QStringList ResultColumnVisibility::visibleColumns() {
    QStringList visible;
    for (const Column& column : columns())
        if (defaults_.boolForKey(column.key)) visible.append(column.identifier);
    if (visible.isEmpty())
        for (const QString& identifier : {QStringLiteral("ID"), QStringLiteral("flagged"), QStringLiteral("value")})
            show(identifier, visible);
    return inTableOrder(visible);
}

QStringList ResultColumnVisibility::toggleColumn(const QString& menuTitle, const QStringList& visibleNow) {
    const Column* column = columnWhere([&](const Column& c) { return c.title == menuTitle; });
    if (!column) return visibleNow;
    QStringList visible = visibleNow;
    if (!visible.contains(column->identifier)) {
        show(column->identifier, visible);
        return inTableOrder(visible);
    }
    visible.removeAll(column->identifier);
    if (!visible.isEmpty()) {
        defaults_.setObject(column->key, false);
        return visible;
    }
    if (ui_)
        ui_->showAlert({UiPort::AlertStyle::Sheet,
                        QStringLiteral("At least on table column in the Search Result Table must be visible in order for "
                                       "the table to show any results!"),
                        QStringLiteral("The %1 column will remain visible.").arg(column->title)});
    show(column->identifier, visible);
    return visible;
}

}  // namespace fendle
