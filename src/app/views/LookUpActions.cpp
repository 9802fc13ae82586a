#include "app/views/LookUpActions.h"

#include "appcore/LookUpAddresses.h"
#include "document/Box.h"
#include "platform/ui/UiPort.h"
#include "search/SearchRuleEditor.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

namespace fendle {

LookUpActions::Ports LookUpActions::desktopPorts() {
    Ports ports;
    ports.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    ports.desktopSearch = [](const QString&) { return false; };
    ports.copyText = [](const QString& text) { QGuiApplication::clipboard()->setText(text); };
    return ports;
}

LookUpActions::LookUpActions(Box& box, UiPort& ui, Ports ports) : box_(box), ui_(ui), ports_(std::move(ports)) {}

void LookUpActions::perform(int tag, const QString& lookupString, bool resultRows) {
    switch (tag) {
    case LookUpInDictionary: lookUpInDictionary(lookupString); break;
    case SearchWithGoogle: searchGoogle(lookupString); break;
    case SearchWikipedia: searchWikipedia(lookupString); break;
    case SearchDesktop: searchSpotlight(lookupString); break;
    case SearchForKeyword: searchForKeywordContextualAction(lookupString); break;
    case ReplaceKeyword:
        if (ports_.replaceKeyword) ports_.replaceKeyword(lookupString);
        break;
    case AddKeywordToResults:
        if (ports_.runCommand) ports_.runCommand(QStringLiteral("Add Keyword to Selected Results"));
        break;
    case CopyItem:
        if (resultRows)
            run([this] { box_.copySlip(); });
        else if (ports_.copyText)
            ports_.copyText(lookupString);
        break;
    default: break;
    }
}

void LookUpActions::handOver(const std::optional<QUrl>& url, const Failure& noAddress, const Failure& noService) const {
    if (!url)
        alert(noAddress.first, noAddress.second);
    else if (!ports_.openUrl || !ports_.openUrl(*url))
        alert(noService.first, noService.second);
}

void LookUpActions::alert(const QString& message, const QString& information) const {
    ui_.showAlert({UiPort::AlertStyle::Sheet, message, information});
}

void LookUpActions::run(const std::function<void()>& action) const {
    if (ports_.perform)
        ports_.perform(action);
    else
        action();
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
    if (ports_.openUrl) ports_.openUrl(*url);
}

void LookUpActions::searchSpotlight(const QString& text) {
    const QString query = LookUpAddresses::desktopSearchQuery(text);
    if (!ports_.desktopSearch || !ports_.desktopSearch(query))
        alert(QStringLiteral("I could not establish the connection to Spotlight!"),
              QStringLiteral("I don't know what went wrong here, but please inform the developer of this problem."));
}

void LookUpActions::searchForKeywordContextualAction(const QString& text) {
    run([&] {
        SearchRuleEditor& rules = box_.searchRuleEditor();
        rules.initiateKeywordSearch();
        rules.addKeywordToSearch(text);
    });
}

}  // namespace fendle
