#include "app/commands/SlipCommands.h"

#include "app/dialogs/ReplaceKeywordDialog.h"
#include "document/Box.h"
#include "scents/KeywordScent.h"

#include <QInputDialog>
#include <QMetaObject>
#include <QUrl>
#include <QWidget>

namespace fendle {
namespace {
const QString ToggleFlagged = QStringLiteral("Toggle Flagged");
const QString FlagAll = QStringLiteral("Flag All Search Results");
const QString AddKeyword = QStringLiteral("Add Keyword to Selected Results");
const QString MakeSlipLink = QStringLiteral("Make Slip Link");
}  // namespace

SlipCommands::SlipCommands(Box& box, UiPort& ui, QWidget& window, Perform perform)
    : box_(box),
      window_(window),
      perform_(std::move(perform)),
      maintenance_(box, ui, {[&box] { return std::shared_ptr<const KeywordScent>(box.keywordScents()); }, nullptr, nullptr}),
      linkMaker_(box, ui, linkPorts_) {
    linkPorts_.boxUrlString = [&box] {
        const auto path = box.fileName();
        return path ? QUrl::fromLocalFile(*path).toString() : QString();
    };
    // The dialogue opens once the command that asked for it has finished.
    linkPorts_.beginMakeSlipLinkSheet = [this] {
        QMetaObject::invokeMethod(&window_, [this] { askSlipLinkNumber(); }, Qt::QueuedConnection);
    };
}

const QStringList& SlipCommands::titles() {
    static const QStringList all{ToggleFlagged, FlagAll, AddKeyword, MakeSlipLink};
    return all;
}

bool SlipCommands::run(const QString& title) {
    if (title == ToggleFlagged)
        perform_([this] { maintenance_.flagSlip(); });
    else if (title == FlagAll)
        perform_([this] { maintenance_.flagAllSlips(); });
    else if (title == AddKeyword)
        addKeywordToSelectedResults();
    else if (title == MakeSlipLink)
        perform_([this] { linkMaker_.makeSlipLink(); });
    else
        return false;
    return true;
}

void SlipCommands::toggleFlagged(const QString& slipKey) {
    perform_([&] { maintenance_.toggleFlagged(slipKey); });
}

void SlipCommands::addKeywordToSelectedResults() {
    const QStringList keys = box_.selectedSearchResultKeys();
    if (keys.isEmpty()) return;
    bool ok = false;
    const QString keyword = QInputDialog::getText(&window_, AddKeyword, QStringLiteral("Keyword:"), QLineEdit::Normal,
                                                  QString(), &ok);
    if (ok) perform_([&] { maintenance_.addKeywordOK(keyword, keys); });
}

void SlipCommands::replaceKeyword(const QString& oldKeyword) {
    // Loaded once, then reused.
    if (!replaceKeywordDialog_) {
        replaceKeywordDialog_ = new ReplaceKeywordDialog(&window_);
        replaceKeywordDialog_->replaceKeywordOK = [this](const QString& from, const QString& to) {
            perform_([&] { maintenance_.replaceKeywordOK(from, to); });
        };
    }
    replaceKeywordDialog_->openWithOldKeyword(oldKeyword);
}

void SlipCommands::askSlipLinkNumber() {
    bool ok = false;
    const QString number = QInputDialog::getText(&window_, MakeSlipLink, QStringLiteral("Slip ID:"), QLineEdit::Normal,
                                                 QString(), &ok);
    if (ok)
        perform_([&] { linkMaker_.makeSlipLinkOK(number); });
    else
        linkMaker_.makeSlipLinkCancel();
}

}  // namespace fendle
