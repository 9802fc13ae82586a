#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace fendle {

class Defaults;
class UiPort;

// Which columns of the search-results table show. The choice is
// application-wide, one defaults key per column (absent: hidden), and a
// table never ends up with no column at all.
class ResultColumnVisibility {
public:
    struct Column {
        QString identifier;
        QString title;  // the column menu's item
        QString key;
    };
    static const QList<Column>& columns();

    ResultColumnVisibility(Defaults& defaults, UiPort* ui) : defaults_(defaults), ui_(ui) {}

    // Applying the preferences: the identifiers of the columns whose key is
    // true. With none, "ID", "flagged" and "value" show and their keys become true.
    QStringList visibleColumns();
    // A column-menu item: a visible column is hidden, a hidden one shown, and
    // its key follows. Hiding the last visible column is refused with an alert.
    // Answers the identifiers visible afterwards.
    QStringList toggleColumn(const QString& menuTitle, const QStringList& visibleNow);

private:
    Defaults& defaults_;
    UiPort* ui_;

    void show(const QString& identifier, QStringList& visible);
};

}  // namespace fendle
