#pragma once
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>
#include <utility>

namespace fendle {

class Box;
class UiPort;

// The commands of a list's contextual menu, acting on the list's text
// (`lookupString`). What leaves the program (the browser, the desktop
// search) goes through ports, so tests watch it instead of opening windows.
class LookUpActions {
public:
    // The tags of the contextual menu's items.
    enum Tag {
        LookUpInDictionary = 1,
        SearchWithGoogle = 2,
        SearchWikipedia = 3,
        CopyItem = 4,
        AddKeywordToResults = 5,
        SearchForKeyword = 6,
        ReplaceKeyword = 7,
        SearchDesktop = 8,
    };

    struct Ports {
        // False when nothing could take the address.
        std::function<bool(const QUrl&)> openUrl;
        // False when no desktop search could be started.
        std::function<bool(const QString& query)> desktopSearch;
        std::function<void(const QString& text)> copyText;
        std::function<void(const QString& oldKeyword)> replaceKeyword;
        // Runs a main-menu command by title.
        std::function<void(const QString& title)> runCommand;
        // One user event: undo steps group, then the window follows.
        std::function<void(const std::function<void()>&)> perform;
    };
    // The desktop's own: the browser for addresses, the clipboard for text, no desktop search.
    static Ports desktopPorts();

    LookUpActions(Box& box, UiPort& ui, Ports ports);

    // resultRows: the text is the keywords of search results; Copy copies the slip.
    void perform(int tag, const QString& lookupString, bool resultRows);

    void lookUpInDictionary(const QString& text);
    void searchGoogle(const QString& text);
    void searchWikipedia(const QString& text);
    void searchSpotlight(const QString& text);
    void searchForKeywordContextualAction(const QString& text);

private:
    Box& box_;
    UiPort& ui_;
    Ports ports_;

    using Failure = std::pair<QString, QString>;
    // Opens the address, or shows why not: no address made, or nothing took it.
    void handOver(const std::optional<QUrl>& url, const Failure& noAddress, const Failure& noService) const;
    void alert(const QString& message, const QString& information) const;
    void run(const std::function<void()>& action) const;
};

}  // namespace fendle
