#include "PlugInFixture.h"
#include "plugins/PlugInShortcuts.h"

namespace fendle::test {
namespace {

class PlugInMenuTest : public PlugInFixture {
protected:
    static void storeShortcut(const QString& title, qint64 keyCode, qint64 flags) {
        Defaults::standard().setObject(
            PlugInShortcuts::DefaultsKey,
            PlistValue(PlistValue::Dictionary{{"Test Menus###" + title, PlistValue(PlistValue::Array{keyCode, flags})}}));
    }
    std::unique_ptr<PlugInController> loadMenus() { return loadOnly("Menus", MenusIdentifier); }
    static const PlugInMenuItem& item(const PlugInController& plugIns, qsizetype index) {
        return plugIns.plugInMenu().items().at(index);
    }
};

TEST_F(PlugInMenuTest, ALoadedPlugInsItemsAndSubmenuJoinTheMenuAndLeaveWithIt) {
    auto plugIns = loadMenus();
    ASSERT_EQ(plugIns->plugInMenu().items().size(), 2);
    EXPECT_EQ(item(*plugIns, 0).title, "Count Words");
    EXPECT_EQ(item(*plugIns, 0).keyEquivalent, "j");
    EXPECT_EQ(item(*plugIns, 0).modifierMask, PlugInShortcuts::Command);
    ASSERT_TRUE(item(*plugIns, 1).submenu);
    ASSERT_EQ(item(*plugIns, 1).submenu->size(), 1);
    EXPECT_EQ(item(*plugIns, 1).submenu->at(0).title, "Shout");

    EXPECT_TRUE(plugIns->plugInMenu().validateMenuItem("Count Words", QString("Box")));
    EXPECT_FALSE(plugIns->plugInMenu().validateMenuItem("Count Words", std::nullopt));
    EXPECT_TRUE(plugIns->plugInMenu().validateMenuItem("Tools", std::nullopt));

    EXPECT_TRUE(plugIns->plugInMenu().executePluginMenuAction("Shout"));
    EXPECT_EQ(plugIns->loadedPlugIns().at(0).instance->shortInformation(), "Shout");

    plugIns->unloadPlugIn(MenusIdentifier);
    EXPECT_TRUE(plugIns->plugInMenu().items().isEmpty());
    EXPECT_FALSE(plugIns->plugInMenu().executePluginMenuAction("Shout"));
}

TEST_F(PlugInMenuTest, TheLaterOfTwoItemsWithOneTitleHandlesBoth) {
    install("Menus", userFolder);
    const QString twin = install("Menus", localFolder);
    QFile info(twin + "/Contents/Info.plist");
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    writeInfo(twin, info.readAll().replace("testmenus", "testmenustwin"));
    saveTable({MenusIdentifier, "com.quorvel.fendle.testmenustwin"});
    auto plugIns = host();
    plugIns->prepareAndLoadPlugIns();
    ASSERT_EQ(plugIns->loadedPlugIns().size(), 2u);
    EXPECT_EQ(plugIns->plugInMenu().items().size(), 4);

    EXPECT_TRUE(plugIns->plugInMenu().executePluginMenuAction("Count Words"));
    EXPECT_EQ(plugIns->loadedPlugIns().at(0).instance->shortInformation(), "");
    EXPECT_EQ(plugIns->loadedPlugIns().at(1).instance->shortInformation(), "Count Words");
}

TEST_F(PlugInMenuTest, AStoredKeyCodeOfMinusOneRemovesTheProposedKey) {
    storeShortcut("Count Words", -1, 0);
    auto plugIns = loadMenus();
    EXPECT_EQ(item(*plugIns, 0).keyEquivalent, "");
    EXPECT_EQ(plugIns->plugInMenu().items().at(1).submenu->at(0).keyEquivalent, "a");
}

struct StoredShortcut {
    qint64 flags;
    const char* keyEquivalent;
    quint64 modifierMask;
    QKeyCombination qtKeys;
    friend void PrintTo(const StoredShortcut& s, std::ostream* os) { *os << "flags " << std::hex << s.flags; }
};

class StoredShortcutTest : public PlugInMenuTest, public ::testing::WithParamInterface<StoredShortcut> {};

// The stored key is that of the letter A; only Shift makes it capital.
TEST_P(StoredShortcutTest, TheStoredKeyAndFlagsReplaceTheProposedOnes) {
    storeShortcut("Shout", 0x00, GetParam().flags);
    auto plugIns = loadMenus();
    const PlugInMenuItem& shout = item(*plugIns, 1).submenu->at(0);
    EXPECT_EQ(shout.keyEquivalent, GetParam().keyEquivalent);
    EXPECT_EQ(shout.modifierMask, GetParam().modifierMask);
    EXPECT_EQ(PlugInShortcuts::qtKeys(shout.keyEquivalent, shout.modifierMask), GetParam().qtKeys);
}

INSTANTIATE_TEST_SUITE_P(
    Shortcuts, StoredShortcutTest,
    ::testing::Values(StoredShortcut{0x20000, "A", 0x120000, QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_A)},
                      StoredShortcut{0x80000, "a", 0x180000, QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_A)},
                      StoredShortcut{0x40000, "a", 0x140000, QKeyCombination(Qt::ControlModifier | Qt::MetaModifier, Qt::Key_A)}));

}  // namespace
}  // namespace fendle::test
