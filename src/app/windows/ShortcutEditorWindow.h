#pragma once
#include "plugins/PlugInShortcutEditor.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace fendle {

class ShortcutRecorder;

// The window in which the user gives the loaded plug-ins' menu items
// shortcuts of their own: the list of items, the recorder for the selected
// one, and the reason when a combination is refused. Closing it stores the
// shortcuts.
class ShortcutEditorWindow : public QWidget {
    Q_OBJECT
public:
    ShortcutEditorWindow(PlugInController& plugIns, Defaults& defaults, QWidget* parent = nullptr);

    // Lists the loaded plug-ins' items, shows no combination, comes to front.
    void showMenuItems();
    QTableWidget* menuItemTable() const { return menuItemTable_; }
    ShortcutRecorder* shortcutRecorderControl() const { return recorder_; }
    QLabel* refusalLabel() const { return refusal_; }
    PlugInShortcutEditor& editor() { return editor_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    PlugInShortcutEditor editor_;
    QTableWidget* menuItemTable_;
    ShortcutRecorder* recorder_;
    QPushButton* clear_;
    QLabel* refusal_;

    QString selectedTitle() const;
    void showShortcutOfSelection();
    void apply(PlugInShortcutEditor::KeyCombo combo);
};

}  // namespace fendle
