#pragma once
#include "document/WebPage.h"
#include "model/KeywordsArray.h"
#include "platform/system/Result.h"

#include <QString>
#include <QUrl>
#include <optional>

namespace fendle {

class Box;

// Addresses dropped on the current slip: on the source field the address
// becomes the source and a web page may replace the slip text (and its
// declared keywords the slip's); on the slip text a media file comes in as
// an attachment. Resources are fetched through the box's hooks before
// anything changes, so a failed fetch leaves the slip as it was and says why.
// Each drop is one "Drop" step that puts the whole slip back.
class WebContentDrop {
public:
    static inline const QString ReplaceQuestion =
        QStringLiteral("You dragged a URL to the Box. Do you want to replace the Slip Text with the contents of the URL?");
    static inline const QString ReplaceQuestionDetail =
        QStringLiteral("This may take a while and the formatting may not be completely preserved!");
    static inline const QString JustLinkButton = QStringLiteral("Just link");
    static inline const QString LinkAndReplaceButton = QStringLiteral("Link & replace");
    static inline const QString KeywordsQuestion = QStringLiteral("The web-site specifies keywords");
    static inline const QString KeywordsQuestionDetail =
        QStringLiteral("Do you want to replace the current keywords with these?");
    static inline const QString FetchFailedMessage = QStringLiteral("The contents of the URL could not be read.");

    // What replacing the slip text changed; the keywords only when the page
    // declared some and the user took them.
    struct Replacement {
        RichText oldText;
        RichText newText;
        std::optional<KeywordsArray> oldKeywords;
        std::optional<KeywordsArray> newKeywords;
    };

    explicit WebContentDrop(Box& box) : box_(box) {}

    // Path extensions (lower case) read as one attachment rather than as a page.
    static const QStringList& mediaExtensions();
    static bool isMediaURL(const QUrl& url);

    // currentSourceString is the source field's text at the drop; typing
    // not yet taken by the slip becomes its own step first. False when
    // nothing changed.
    bool replaceSourceWithLink(const QUrl& url, const QString& currentSourceString, bool askForConfirmation);
    // Sets the editor's text (and keywords) only; the caller stores the slip
    // and registers the step. None after a failed fetch.
    std::optional<Replacement> replaceSlipTextWithWebPage(const QUrl& url);
    // The media file's attachment text at index of the slip text.
    bool insertMediaAtIndex(const QUrl& url, qsizetype index);

private:
    Box& box_;

    Result<WebPage> fetch(const QUrl& url);
    bool userTakesKeywords();
};

}  // namespace fendle
