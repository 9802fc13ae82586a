#include "PlugInFixture.h"
#include "plugins/PlugInShortcutEditor.h"
#include "plugins/PlugInShortcuts.h"
#include "plugins/ShortcutRefusals.h"

namespace fendle::test {
namespace {

using S = PlugInShortcuts;
const qint64 KeyS = 0x01, KeyP = 0x23, KeyN = 0x2D, KeyK = 0x28, KeyA = 0x00;

TEST(ShortcutRefusalsTest, TheProgramsOwnCombinationsAreRefusedNamingTheirMenuItem) {
    auto taken = [](const char* item) { return QStringLiteral("it's already taken by the menu item \"%1\"").arg(item); };
    EXPECT_EQ(shortcutRefusal(KeyS, S::Command | S::Shift), taken("Save As..."));
    EXPECT_EQ(shortcutRefusal(KeyS, S::Command | S::Option), taken("Suggest Slip"));
    EXPECT_EQ(shortcutRefusal(KeyS, S::Command), taken("Saved Searches"));
    EXPECT_EQ(shortcutRefusal(KeyP, S::Command), taken("Print..."));
    EXPECT_EQ(shortcutRefusal(KeyP, S::Command | S::Shift), taken("Page Setup..."));
    EXPECT_EQ(shortcutRefusal(KeyN, S::Command | S::Option), taken("Show Flagged Slips in Extra Window"));
    EXPECT_EQ(shortcutRefusal(116, S::Command), taken("Previous Slip"));
    EXPECT_EQ(shortcutRefusal(117, S::Command), taken("Remove"));
    EXPECT_EQ(shortcutRefusal(S::keyCodeForQtKey(Qt::Key_End), S::Command), taken("Last Slip"));
    // Free combinations.
    EXPECT_FALSE(shortcutRefusal(KeyN, S::Command));
    EXPECT_FALSE(shortcutRefusal(116, S::Command | S::Shift));
    EXPECT_FALSE(shortcutRefusal(KeyK, S::Command | S::Option));
}

TEST(ShortcutRefusalsTest, QtKeysMapToTheStoredCodesAndModifierBits) {
    EXPECT_EQ(S::keyCodeForQtKey(Qt::Key_S), KeyS);
    EXPECT_EQ(S::keyCodeForQtKey(Qt::Key_PageUp), 116);
    EXPECT_EQ(S::keyCodeForQtKey(Qt::Key_F5), -1);
    EXPECT_EQ(S::flagsForQtModifiers(Qt::ControlModifier | Qt::AltModifier), S::Command | S::Option);
    EXPECT_EQ(S::flagsForQtModifiers(Qt::MetaModifier | Qt::ShiftModifier), S::Control | S::Shift);
    EXPECT_EQ(S::keyCodeForCharacter("k"), KeyK);
}

class PlugInShortcutEditorTest : public PlugInFixture {
protected:
    std::unique_ptr<PlugInController> plugIns = nullptr;
    void SetUp() override {
        PlugInFixture::SetUp();
        plugIns = loadOnly("Menus", MenusIdentifier);
    }
    static const PlistValue* stored(const QString& key) {
        static std::optional<PlistValue> all;
        all = Defaults::standard().objectForKey(S::DefaultsKey);
        return all ? all->value(key) : nullptr;
    }
};

TEST_F(PlugInShortcutEditorTest, ItemsWithSubmenusGiveTheirSubItems) {
    const auto items = PlugInShortcutEditor::menuItemsOfLoadedPlugIns(*plugIns);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].plugInName, "Test Menus");
    EXPECT_EQ(items[0].title, "Count Words");
    EXPECT_EQ(items[1].title, "Shout");
}

TEST_F(PlugInShortcutEditorTest, ANewCombinationIsAppliedAtOnceAndStoredWhenTheWindowCloses) {
    PlugInShortcutEditor editor(*plugIns, Defaults::standard());
    editor.setMenuItems(PlugInShortcutEditor::menuItemsOfLoadedPlugIns(*plugIns));
    EXPECT_EQ(editor.keyComboForMenuItemTitle("Count Words"), (PlugInShortcutEditor::KeyCombo{S::Command, 0x26}));
    int menuChanges = 0;
    QObject::connect(plugIns.get(), &PlugInController::plugInMenuChanged, [&] { ++menuChanges; });

    EXPECT_EQ(editor.keyComboDidChange("Count Words", {S::Command | S::Shift, KeyS}),
              "it's already taken by the menu item \"Save As...\"");
    EXPECT_EQ(editor.keyComboDidChange("Count Words", {S::Option, KeyK}), "");  // Command is required
    EXPECT_EQ(menuChanges, 0);
    EXPECT_FALSE(editor.keyComboDidChange("Count Words", {S::Command | S::Option, KeyK}));
    EXPECT_EQ(menuChanges, 1);
    EXPECT_EQ(plugIns->plugInMenu().items()[0].keyEquivalent, "k");
    EXPECT_FALSE(editor.keyComboDidChange("Shout", {S::Command | S::Shift, KeyA}));
    EXPECT_EQ(plugIns->plugInMenu().items()[1].submenu->at(0).keyEquivalent, "A");

    editor.windowWillClose();
    EXPECT_EQ(*stored("Test Menus###Count Words"), PlugInShortcutEditor::arrayForKeyCombo({S::Command | S::Option, KeyK}));
    EXPECT_EQ(*stored("Test Menus###Shout"), PlugInShortcutEditor::arrayForKeyCombo({S::Command | S::Shift, KeyA}));
}

TEST_F(PlugInShortcutEditorTest, AClearedShortcutIsStoredAsMinusOneAndRemovesTheKeyAtTheNextStart) {
    PlugInShortcutEditor editor(*plugIns, Defaults::standard());
    editor.setMenuItems(PlugInShortcutEditor::menuItemsOfLoadedPlugIns(*plugIns));
    EXPECT_FALSE(editor.keyComboDidChange("Count Words", {}));
    editor.windowWillClose();
    EXPECT_EQ(*stored("Test Menus###Count Words"), PlugInShortcutEditor::arrayForKeyCombo({0, -1}));

    plugIns.reset();
    auto next = host();
    next->prepareAndLoadPlugIns();
    ASSERT_EQ(next->plugInMenu().items().size(), 2);
    EXPECT_EQ(next->plugInMenu().items()[0].keyEquivalent, "");
}

}  // namespace
}  // namespace fendle::test
