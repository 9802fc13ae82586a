#include "app/commands/BoxMenuBar.h"

#include <QFileInfo>

namespace fendle {

namespace {
const QString OpenRecent = QStringLiteral("Open Recent");
const QString Undo = QStringLiteral("Undo");
const QString Redo = QStringLiteral("Redo");

QKeySequence keys(QKeyCombination combination) { return QKeySequence(combination); }
}  // namespace

const QList<BoxMenuBar::Menu>& BoxMenuBar::layout() {
    using K = QKeySequence;
    const auto ctrl = Qt::ControlModifier;
    const auto shift = Qt::ShiftModifier;
    const auto alt = Qt::AltModifier;
    static const QList<Menu> menus{
        {QStringLiteral("File"),
         {{QStringLiteral("New"), K::New},
          {QStringLiteral("Open..."), K::Open},
          {OpenRecent, {}},
          {},
          {QStringLiteral("Close"), K::Close},
          {QStringLiteral("Save"), K::Save},
          {QStringLiteral("Save As..."), keys(ctrl | shift | Qt::Key_S)},
          {QStringLiteral("Revert To Saved"), {}},
          {},
          {QStringLiteral("Preferences..."), keys(ctrl | Qt::Key_Comma)},
          {QStringLiteral("Print..."), K::Print},
          {},
          {QStringLiteral("Quit"), K::Quit}}},
        {QStringLiteral("Edit"),
         {{Undo, K::Undo},
          {Redo, keys(ctrl | shift | Qt::Key_Z)},
          {},
          {QStringLiteral("Cut"), K::Cut},
          {QStringLiteral("Copy"), K::Copy},
          {QStringLiteral("Paste"), K::Paste},
          {QStringLiteral("Select All"), K::SelectAll},
          {},
          {QStringLiteral("Bold"), keys(ctrl | Qt::Key_B)},
          {QStringLiteral("Italic"), keys(ctrl | Qt::Key_I)},
          {QStringLiteral("Underline"), keys(ctrl | Qt::Key_U)},
          {QStringLiteral("Highlight"), keys(ctrl | shift | Qt::Key_H)}}},
        {QStringLiteral("View"),
         {{QStringLiteral("Slip View"), keys(ctrl | Qt::Key_1)},
          {QStringLiteral("Search View"), keys(ctrl | Qt::Key_2)},
          {QStringLiteral("Keyword Scent View"), keys(ctrl | Qt::Key_3)},
          {QStringLiteral("Alternating Scent View"), keys(ctrl | Qt::Key_4)},
          {},
          {QStringLiteral("Browse Trash"), {}},
          {},
          {QStringLiteral("Zoom In"), K::ZoomIn},
          {QStringLiteral("Zoom Out"), K::ZoomOut},
          {QStringLiteral("Actual Size"), keys(ctrl | Qt::Key_0)}}},
        {QStringLiteral("Slip"),
         {{QStringLiteral("Add"), keys(ctrl | Qt::Key_Return)},
          {QStringLiteral("Remove"), keys(ctrl | Qt::Key_Delete)},
          {QStringLiteral("Copy Slip"), keys(ctrl | alt | Qt::Key_C)},
          {QStringLiteral("Paste Slip"), keys(ctrl | alt | Qt::Key_V)},
          {QStringLiteral("Clear All Fields"), {}},
          {QStringLiteral("Split"), {}},
          {QStringLiteral("Merge"), {}},
          {},
          {QStringLiteral("Next"), keys(ctrl | Qt::Key_PageDown)},
          {QStringLiteral("Previous"), keys(ctrl | Qt::Key_PageUp)},
          {QStringLiteral("First"), keys(ctrl | Qt::Key_Home)},
          {QStringLiteral("Last"), keys(ctrl | Qt::Key_End)},
          {QStringLiteral("Go Back"), keys(ctrl | Qt::Key_BracketLeft)},
          {QStringLiteral("Go Forward"), keys(ctrl | Qt::Key_BracketRight)},
          {QStringLiteral("Go To Slip..."), keys(ctrl | Qt::Key_L)},
          {QStringLiteral("Random Slip"), keys(ctrl | alt | Qt::Key_R)},
          {QStringLiteral("Most Recent Slip"), {}},
          {QStringLiteral("Suggest Slip"), keys(ctrl | alt | Qt::Key_S)},
          {},
          {QStringLiteral("Toggle Flagged"), {}},
          {QStringLiteral("Flag All Search Results"), {}},
          {QStringLiteral("Add Keyword to Selected Results"), {}},
          {QStringLiteral("Make Slip Link"), {}},
          {},
          {QStringLiteral("Edit Slip Template..."), {}},
          {QStringLiteral("Empty Trash"), {}}}},
        {QStringLiteral("Window"),
         {{QStringLiteral("Show Selected Slips In Extra Window"), {}},
          {QStringLiteral("Show Flagged Slips In Extra Window"), {}},
          {},
          {QStringLiteral("Arrange Extra Slip Windows"), {}},
          {QStringLiteral("Close All Extra Slip Windows"), {}}}},
    };
    return menus;
}

BoxMenuBar::BoxMenuBar(QWidget* parent) : QMenuBar(parent) {
    for (const Menu& entry : layout()) {
        QMenu* menu = addMenu(entry.title);
        menus_.insert(entry.title, menu);
        connect(menu, &QMenu::aboutToShow, this, &BoxMenuBar::validateAll);
        for (const Item& item : entry.items) {
            if (item.title.isEmpty()) {
                menu->addSeparator();
                continue;
            }
            if (item.title == OpenRecent) {
                recentMenu_ = menu->addMenu(OpenRecent);
                connect(recentMenu_, &QMenu::aboutToShow, this, &BoxMenuBar::fillRecentMenu);
                continue;
            }
            QAction* action = menu->addAction(item.title);
            action->setData(item.title);
            action->setShortcut(item.shortcut);
            connect(action, &QAction::triggered, this, [this, action] {
                if (run) run(action->data().toString());
            });
            actions_.append(action);
        }
    }
}

QAction* BoxMenuBar::item(const QString& menuTitle, const QString& title) const {
    const QMenu* menu = menus_.value(menuTitle);
    if (!menu) return nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == title) return action;
    return nullptr;
}

QAction* BoxMenuBar::item(const QString& title) const {
    for (QAction* action : actions_)
        if (action->text() == title) return action;
    return nullptr;
}

void BoxMenuBar::retitle(const QString& menu, const QString& from, const QString& to) {
    if (QAction* action = item(menu, from)) action->setText(to);
}

void BoxMenuBar::validateAll() {
    if (!validate) return;
    if (aboutToValidate) aboutToValidate();
    for (QAction* action : actions_) {
        const QString command = action->data().toString();
        if (command == Undo || command == Redo) continue;
        action->setEnabled(validate(action->text()));
    }
}

void BoxMenuBar::setUndoTitles(const QString& undoName, bool canUndo, const QString& redoName, bool canRedo) {
    for (QAction* action : actions_) {
        const QString command = action->data().toString();
        if (command == Undo) {
            action->setText(canUndo && !undoName.isEmpty() ? Undo + QLatin1Char(' ') + undoName : Undo);
            action->setEnabled(canUndo);
        } else if (command == Redo) {
            action->setText(canRedo && !redoName.isEmpty() ? Redo + QLatin1Char(' ') + redoName : Redo);
            action->setEnabled(canRedo);
        }
    }
}

void BoxMenuBar::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList paths = recentBoxes ? recentBoxes() : QStringList();
    for (const QString& path : paths) {
        QAction* action = recentMenu_->addAction(QFileInfo(path).fileName());
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] {
            if (openRecent) openRecent(path);
        });
    }
    recentMenu_->addSeparator();
    QAction* clear = recentMenu_->addAction(QStringLiteral("Clear Menu"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        if (clearRecent) clearRecent();
    });
}

}  // namespace fendle
