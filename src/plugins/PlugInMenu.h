#pragma once
#include "plugins/FendlePlugIn.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace fendle {

class Defaults;

// One item of the "Plug-ins" menu as the host made it from a plug-in's
// description and the user's stored shortcut.
struct PlugInMenuItem {
    QString title;
    QString keyEquivalent;
    // The other platform's modifier bits; Command always part of a shortcut.
    quint64 modifierMask = 0;
    std::optional<QList<PlugInMenuItem>> submenu;
};

// The "Plug-ins" menu: its items, which plug-in instance handles each title
// and the windows each is enabled in. Titles are the keys: an item of the
// same title added later takes over the earlier one's entry.
class PlugInMenu {
public:
    explicit PlugInMenu(const Defaults& defaults) : defaults_(defaults) {}

    const QList<PlugInMenuItem>& items() const { return items_; }
    // The item of that title, its submenu searched before its own title is
    // compared; none when there is none.
    PlugInMenuItem* menuItemWithTitle(const QString& title) { return find(title, items_); }
    void addMenuItems(const QList<plugin::MenuItemDescription>& descriptions, const QString& plugInName,
                      plugin::GeneralProtocol& instance);
    void removeMenuItems(const QList<plugin::MenuItemDescription>& descriptions);
    // Answers whether a plug-in took the action.
    bool executePluginMenuAction(const QString& title);
    // The window name of the current document ("Box"), none without one.
    bool validateMenuItem(const QString& title, const std::optional<QString>& windowName) const;

private:
    const Defaults& defaults_;
    QList<PlugInMenuItem> items_;
    std::map<QString, plugin::GeneralProtocol*> plugInMenuToPlugInObjects_;
    std::map<QString, QStringList> plugInMenuItemValidForClasses_;

    void add(const QList<plugin::MenuItemDescription>& descriptions, const QString& plugInName,
             plugin::GeneralProtocol& instance, QList<PlugInMenuItem>& menu);
    void remove(const QList<plugin::MenuItemDescription>& descriptions, QList<PlugInMenuItem>& menu);
    static PlugInMenuItem* find(const QString& title, QList<PlugInMenuItem>& menu);
};

}  // namespace fendle
