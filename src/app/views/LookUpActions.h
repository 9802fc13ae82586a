#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>
#include <utility>

namespace fendle {

class BoxWindow;

// The commands of a list's contextual menu, acting on the list's text
// (`lookupString`). What leaves the program (the browser, the desktop
// search) goes through the program's desktop services.
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

    explicit LookUpActions(BoxWindow& window) : window_(window) {}

    // resultRows: the text is the keywords of search results; Copy copies the slip.
    void perform(int tag, const QString& lookupString, bool resultRows);

    void lookUpInDictionary(const QString& text);
    void searchGoogle(const QString& text);
    void searchWikipedia(const QString& text);
    // Hands the keywords of the text ("a, b") to desktop search.
    void searchSpotlight(const QString& text);
    // The "Search Spotlight" command: the keywords of what the selected tab shows.
    void searchSpotlightForSelectedTab();
    // The desktop search window with an empty search field.
    void openDesktopSearch();
    void searchForKeywordContextualAction(const QString& text);

private:
    BoxWindow& window_;

    using Failure = std::pair<QString, QString>;
    // Opens the address, or shows why not: no address made, or nothing took it.
    void handOver(const std::optional<QUrl>& url, const Failure& noAddress, const Failure& noService) const;
    void alert(const QString& message, const QString& information) const;
    std::optional<QStringList> keywordStringsOfSelectedTab() const;
    // The cache folder that cannot be read is the one failure left to report.
    void showDesktopSearch(const QString& query);
};

}  // namespace fendle
