#pragma once
#include <QMenu>

namespace fendle {

class PlugInController;
struct PlugInMenuItem;

// The "Plug-ins" menu of a box window: the items of the loaded plug-ins with
// their shortcuts, rebuilt when plug-ins come and go. Choosing an item hands
// it to the plug-in that registered its title.
class PlugInsMenu : public QMenu {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("Plug-ins");
    // The window name plug-ins enable their items by.
    static inline const QString WindowName = QStringLiteral("Box");

    PlugInsMenu(PlugInController& plugIns, QWidget* parent);

private:
    PlugInController& plugIns_;

    void rebuild();
    void fill(QMenu& menu, const QList<PlugInMenuItem>& items);
    void validate(QMenu& menu);
};

}  // namespace fendle
