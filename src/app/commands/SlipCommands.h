#pragma once
#include "document/KeywordMaintenance.h"
#include "document/SlipLinkMaker.h"
#include "document/SlipLinkPorts.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace fendle {

class Box;
class ReplaceKeywordDialog;
class UiPort;

// The flag, keyword and link items of the "Slip" menu: the box's
// housekeeping and link commands with the small dialogues they ask through.
class SlipCommands {
public:
    // perform runs one user event (its undo steps form one group).
    using Perform = std::function<void(const std::function<void()>&)>;

    SlipCommands(Box& box, UiPort& ui, QWidget& window, Perform perform);

    static const QStringList& titles();
    // False for a title that is not one of these commands.
    bool run(const QString& title);
    // The replace-keyword dialogue with the old keyword filled in.
    void replaceKeyword(const QString& oldKeyword);
    // The flag check box of an extra slip window.
    void toggleFlagged(const QString& slipKey);

private:
    Box& box_;
    QWidget& window_;
    Perform perform_;
    SlipLinkPorts linkPorts_;
    KeywordMaintenance maintenance_;
    SlipLinkMaker linkMaker_;
    ReplaceKeywordDialog* replaceKeywordDialog_ = nullptr;

    void addKeywordToSelectedResults();
    void askSlipLinkNumber();
};

}  // namespace fendle
