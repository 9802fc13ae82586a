#include "app/views/ListContextMenu.h"

#include "app/views/LookUpActions.h"

#include <QAbstractItemView>
#include <QMenu>
#include <algorithm>

namespace fendle {

namespace {
struct MenuItem {
    int tag;
    const char* title;
};
// The application's contextual menu; tag 4 is retitled for search results.
constexpr MenuItem Items[] = {
    {LookUpActions::CopyItem, "Copy"},
    {LookUpActions::AddKeywordToResults, "Add Keyword to Selected Results"},
    {LookUpActions::SearchForKeyword, "Search for Keyword"},
    {LookUpActions::ReplaceKeyword, "Replace Keyword..."},
    {0, nullptr},
    {LookUpActions::LookUpInDictionary, "Look Up in Dictionary"},
    {LookUpActions::SearchWithGoogle, "Search With Google"},
    {LookUpActions::SearchWikipedia, "Search Wikipedia"},
    {LookUpActions::SearchDesktop, "Search in Desktop Search"},
};
}  // namespace

std::unique_ptr<QMenu> ListContextMenu::forClick(QAbstractItemView& view, const QPoint& pos, LookUpActions* actions,
                                                 bool resultRows, std::function<QString()> lookupString) {
    if (!actions || !view.model() || view.model()->rowCount() == 0) return nullptr;
    const QModelIndex clicked = view.indexAt(pos);
    if (clicked.isValid() && view.selectionModel() && !view.selectionModel()->isSelected(clicked))
        view.selectionModel()->setCurrentIndex(clicked, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    auto menu = std::make_unique<QMenu>(&view);
    for (const MenuItem& item : Items) {
        if (!item.title) {
            menu->addSeparator();
            continue;
        }
        QString title = QString::fromLatin1(item.title);
        if (item.tag == LookUpActions::CopyItem && resultRows) title = QStringLiteral("Copy Slip");
        QAction* action = menu->addAction(title);
        action->setData(item.tag);
        if (item.tag == LookUpActions::AddKeywordToResults) action->setVisible(resultRows);
        if (item.tag == LookUpActions::ReplaceKeyword) action->setVisible(!resultRows);
        // The text is taken when the command runs: the selection is what it acts on.
        QObject::connect(action, &QAction::triggered, menu.get(), [actions, tag = item.tag, resultRows, lookupString] {
            actions->perform(tag, lookupString ? lookupString() : QString(), resultRows);
        });
    }
    return menu;
}

QString ListContextMenu::selectedTexts(const QAbstractItemView& view, int column) {
    if (!view.selectionModel() || !view.model()) return QString();
    QModelIndexList rows = view.selectionModel()->selectedRows(0);
    // Tables select in any order; the text follows the rows. Outlines select one row.
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList texts;
    for (const QModelIndex& row : rows) texts.append(row.siblingAtColumn(column).data(Qt::DisplayRole).toString());
    return texts.join(QStringLiteral(", "));
}

}  // namespace fendle
