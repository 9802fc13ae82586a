#include "app/views/LookUpActions.h"

#include "app/commands/SlipCommands.h"
#include "app/program/DesktopServices.h"
#include "app/windows/BoxWindow.h"
#include "appcore/LookUpAddresses.h"
#include "document/Box.h"
#include "platform/ui/UiPort.h"
#include "search/SearchRuleEditor.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

namespace fendle {

void LookUpActions::perform(int tag, const QString& lookupString, bool resultRows) {
    switch (tag) {
    case LookUpInDictionary: lookUpInDictionary(lookupString); break;
    case SearchWithGoogle: searchGoogle(lookupString); break;
    case SearchWikipedia: searchWikipedia(lookupString); break;
    case SearchDesktop: searchSpotlight(lookupString); break;
    case SearchForKeyword: searchForKeywordContextualAction(lookupString); break;
    case ReplaceKeyword: window_.slipCommands().replaceKeyword(lookupString); break;
    case AddKeywordToResults: window_.run(Command::AddKeywordToSelectedResults); break;
    case CopyItem:
        if (resultRows)
            window_.run(Command::CopySlip);
        else
            QGuiApplication::clipboard()->setText(lookupString);
        break;
    default: break;
    }
}

void LookUpActions::handOver(const std::optional<QUrl>& url, const Failure& noAddress, const Failure& noService) const {
    if (!url)
        alert(noAddress.first, noAddress.second);
    else if (!window_.host().desktopServices().openUrl(*url))
        alert(noService.first, noService.second);
}

void LookUpActions::alert(const QString& message, const QString& information) const {
    window_.uiPort().showAlert({UiPort::AlertStyle::Sheet, message, information});
}

void LookUpActions::lookUpInDictionary(const QString& text) {
    handOver(LookUpAddresses::dictionaryLookUp(text),
             {QStringLiteral("Could not look up in Dictionary!"), QStringLiteral("Problems making data available for Dictionary")},
             {QStringLiteral("Problem with the Dictionary service!"), QStringLiteral("Is the Dictionary system service available?")});
}

void LookUpActions::searchGoogle(const QString& text) {
    handOver(LookUpAddresses::googleSearch(text),
             {QStringLiteral("Could not start Google search!"), QStringLiteral("Problems making data available for service")},
             {QStringLiteral("Problem with the Google service!"),
              QStringLiteral("Is the Search With Google system service available?")});
}

void LookUpActions::searchWikipedia(const QString& text) {
    const std::optional<QUrl> url = LookUpAddresses::wikipediaSearch(text);
    if (!url) {
        alert(QStringLiteral("Could not create Wikipedia search for the term."), QString());
        return;
    }
    window_.host().desktopServices().openUrl(*url);
}

void LookUpActions::searchSpotlight(const QString& text) {
    const QString query = LookUpAddresses::desktopSearchQuery(text);
    if (!window_.host().desktopServices().desktopSearch(query))
        alert(QStringLiteral("I could not establish the connection to Desktop Search!"),
              QStringLiteral("I don't know what went wrong here, but please inform the developer of this problem."));
}

void LookUpActions::searchForKeywordContextualAction(const QString& text) {
    window_.perform([&] { window_.box().initiateKeywordSearch(text); });
}

}  // namespace fendle
