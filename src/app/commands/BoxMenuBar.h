#pragma once
#include <QHash>
#include <QKeySequence>
#include <QMenuBar>
#include <functional>

namespace fendle {

// The main menu of a box window. Items are known by title, as the box's
// enabling rules know them; each item runs the command named by its first
// title, so that retitled items ("Browse Trash" / "Close Trash") keep
// their command.
class BoxMenuBar : public QMenuBar {
    Q_OBJECT
public:
    struct Item {
        QString title;  // empty: a separator
        QKeySequence shortcut;
    };
    struct Menu {
        QString title;
        QList<Item> items;
    };
    static const QList<Menu>& layout();

    explicit BoxMenuBar(QWidget* parent = nullptr);

    std::function<void(const QString& command)> run;
    // Whether an item with its current title is enabled.
    std::function<bool(const QString& title)> validate;
    // Before a round of validation: the rules can gather what they look at once.
    std::function<void()> aboutToValidate;
    // The recent boxes, newest first, for "Open Recent".
    std::function<QStringList()> recentBoxes;
    std::function<void(const QString& path)> openRecent;
    std::function<void()> clearRecent;

    QMenu* menu(const QString& title) const { return menus_.value(title); }
    // The item of a menu that now has this title; none when there is none.
    QAction* item(const QString& menu, const QString& title) const;
    // The item of any menu by its current title.
    QAction* item(const QString& title) const;
    void retitle(const QString& menu, const QString& from, const QString& to);
    // Enables every item by its rule.
    void validateAll();
    // "Undo" and "Redo" carry the name of the step they would take.
    void setUndoTitles(const QString& undoName, bool canUndo, const QString& redoName, bool canRedo);

private:
    QHash<QString, QMenu*> menus_;
    QList<QAction*> actions_;
    QMenu* recentMenu_ = nullptr;

    void fillRecentMenu();
};

}  // namespace fendle
