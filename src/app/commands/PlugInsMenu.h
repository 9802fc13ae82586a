#pragma once
#include <QMenu>

namespace fendle {

class PlugInController;
struct PlugInMenuItem;

// The "Plug-ins" menu of a box window: the items of the loaded plug-ins with
// their shortcuts, rebuilt when plug-ins come and go. Choosing an item hands
// it to the plug-in that registered its title. Below them: the plug-in page
// of the preferences and the shortcut editor.
class PlugInsMenu : public QMenu {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("Plug-ins");
    static inline const QString PreferencesTitle = QStringLiteral("Plug-in Preferences...");
    static inline const QString ShortcutsTitle = QStringLiteral("Plug-in Shortcuts...");
    // The window name plug-ins enable their items by.
    static inline const QString WindowName = QStringLiteral("Box");

    // What the program opens for the two items of its own.
    class Host {
    public:
        virtual ~Host() = default;
        virtual void showPlugInPreferences() = 0;
        virtual void showShortcutRecorder() = 0;
    };

    PlugInsMenu(PlugInController& plugIns, Host& host, QWidget* parent);

private:
    PlugInController& plugIns_;
    Host& host_;

    void rebuild();
    void fill(QMenu& menu, const QList<PlugInMenuItem>& items);
    void validate(QMenu& menu);
};

}  // namespace fendle
