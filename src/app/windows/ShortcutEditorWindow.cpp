#include "app/windows/ShortcutEditorWindow.h"

#include "app/windows/ShortcutRecorder.h"
#include "plugins/PlugInShortcuts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace fendle {

ShortcutEditorWindow::ShortcutEditorWindow(PlugInController& plugIns, Defaults& defaults, QWidget* parent)
    : QWidget(parent, Qt::Window),
      editor_(plugIns, defaults),
      menuItemTable_(new QTableWidget(0, 2, this)),
      recorder_(new ShortcutRecorder(this)),
      clear_(new QPushButton(QStringLiteral("Clear"), this)),
      refusal_(new QLabel(this)) {
    setObjectName(QStringLiteral("shortcutRecorderWindow"));
    setWindowTitle(QStringLiteral("Plug-in Shortcuts"));
    menuItemTable_->setHorizontalHeaderLabels({QStringLiteral("Plug-in"), QStringLiteral("Menu Item")});
    menuItemTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    menuItemTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    menuItemTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    menuItemTable_->verticalHeader()->hide();
    menuItemTable_->horizontalHeader()->setStretchLastSection(true);
    refusal_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(menuItemTable_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(recorder_, 1);
    row->addWidget(clear_);
    layout->addLayout(row);
    layout->addWidget(refusal_);
    resize(420, 320);

    connect(menuItemTable_, &QTableWidget::itemSelectionChanged, this, &ShortcutEditorWindow::showShortcutOfSelection);
    connect(recorder_, &ShortcutRecorder::keysRecorded, this, [this](QKeyCombination keys) {
        apply({PlugInShortcuts::flagsForQtModifiers(keys.keyboardModifiers()), PlugInShortcuts::keyCodeForQtKey(keys.key())});
    });
    connect(recorder_, &ShortcutRecorder::cleared, this, [this] { apply({}); });
    connect(clear_, &QPushButton::clicked, this, [this] { apply({}); });
}

void ShortcutEditorWindow::showMenuItems() {
    editor_.setMenuItems(PlugInShortcutEditor::menuItemsOfLoadedPlugIns(editor_.plugIns()));
    menuItemTable_->clearSelection();
    menuItemTable_->setRowCount(int(editor_.menuItems().size()));
    for (int row = 0; row < menuItemTable_->rowCount(); ++row) {
        const PlugInShortcutEditor::MenuItem& item = editor_.menuItems()[row];
        menuItemTable_->setItem(row, 0, new QTableWidgetItem(item.plugInName));
        menuItemTable_->setItem(row, 1, new QTableWidgetItem(item.title));
    }
    recorder_->setKeys(QKeyCombination());
    refusal_->clear();
    show();
    raise();
    activateWindow();
}

QString ShortcutEditorWindow::selectedTitle() const {
    const QList<QTableWidgetItem*> selected = menuItemTable_->selectedItems();
    return selected.isEmpty() ? QString() : menuItemTable_->item(selected.first()->row(), 1)->text();
}

void ShortcutEditorWindow::showShortcutOfSelection() {
    refusal_->clear();
    const QString title = selectedTitle();
    if (title.isEmpty()) {
        recorder_->setKeys(QKeyCombination());
        return;
    }
    const PlugInShortcutEditor::KeyCombo combo = editor_.keyComboForMenuItemTitle(title);
    const QString character = PlugInShortcuts::characterForKeyCode(combo.keyCode);
    recorder_->setKeys(combo.keyCode == -1 ? QKeyCombination()
                                           : PlugInShortcuts::qtKeys(combo.flags & PlugInShortcuts::Shift ? character
                                                                                                         : character.toLower(),
                                                                     combo.flags));
}

void ShortcutEditorWindow::apply(PlugInShortcutEditor::KeyCombo combo) {
    const QString title = selectedTitle();
    if (title.isEmpty()) return;
    const std::optional<QString> refused = editor_.keyComboDidChange(title, combo);
    if (refused) {
        refusal_->setText(refused->isEmpty() ? QString() : QStringLiteral("This shortcut cannot be used because %1.").arg(*refused));
        return;
    }
    showShortcutOfSelection();
}

void ShortcutEditorWindow::closeEvent(QCloseEvent* event) {
    menuItemTable_->clearSelection();
    editor_.windowWillClose();
    QWidget::closeEvent(event);
}

}  // namespace fendle
