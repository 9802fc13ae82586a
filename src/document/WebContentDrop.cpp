#include "document/WebContentDrop.h"

#include "document/Box.h"
#include "document/SlipTextInsertion.h"
#include "document/UndoNames.h"
#include "document/WebResources.h"
#include "document/WholeSlipStep.h"
#include "platform/ui/UiPort.h"

#include <QFileInfo>

namespace fendle {

namespace {

// The busy indicator runs for exactly as long as the fetch.
class FetchProgress {
public:
    explicit FetchProgress(UiPort& ui) : ui_(ui) { ui_.setBusy(true); }
    ~FetchProgress() { ui_.setBusy(false); }
    FetchProgress(const FetchProgress&) = delete;
    FetchProgress& operator=(const FetchProgress&) = delete;

private:
    UiPort& ui_;
};

bool isWebAddress(const QString& address) {
    return address.startsWith(QLatin1String("http://")) || address.startsWith(QLatin1String("https://"));
}

}  // namespace

const QStringList& WebContentDrop::mediaExtensions() {
    static const QStringList extensions{
        QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("gif"), QStringLiteral("png"),
        QStringLiteral("tif"), QStringLiteral("tiff"), QStringLiteral("avi"), QStringLiteral("mov"),
        QStringLiteral("mpg"), QStringLiteral("mp3"), QStringLiteral("mp4"), QStringLiteral("mpeg"),
        QStringLiteral("pdf")};
    return extensions;
}

bool WebContentDrop::isMediaURL(const QUrl& url) {
    // The extension of the last path component only: a dot in a folder name is none.
    const QString name = url.path().section(QLatin1Char('/'), -1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && mediaExtensions().contains(name.mid(dot + 1));
}

Result<WebPage> WebContentDrop::fetch(const QUrl& url) {
    const FetchProgress progress(box_.ui());
    WebResources& web = box_.webResources();
    if (isMediaURL(url)) {
        Result<RichText> text = web.mediaText(url);
        if (!text) return Result<WebPage>::failure(text);
        return WebPage{std::move(*text), std::nullopt};
    }
    return web.webPage(url);
}

bool WebContentDrop::userTakesKeywords() {
    const UiPort::Alert question{UiPort::AlertStyle::Sheet, KeywordsQuestion, KeywordsQuestionDetail,
                                 {QStringLiteral("No"), QStringLiteral("Yes")}};
    return box_.ui().askQuestion(question) == 1;
}

std::optional<WebContentDrop::Replacement> WebContentDrop::replaceSlipTextWithWebPage(const QUrl& url) {
    Result<WebPage> page = fetch(url);
    if (!page) {
        box_.ui().displayAlert(FetchFailedMessage, QStringLiteral("%1 (%2)").arg(page.error(), url.toString()));
        return std::nullopt;
    }
    EditorModel& editor = box_.editor();
    Replacement replacement{editor.text(), page->text, std::nullopt, std::nullopt};
    editor.setSlipText(page->text);
    editor.setSelectedRangesOfSlipText({TextRange{0, 0}});
    if (page->keywords && userTakesKeywords()) {
        QStringList pieces;
        // A page's stray commas would give empty keywords.
        for (const QString& entry : *page->keywords)
            for (const QString& piece : Slip::splitStringToKeywordsArray(entry))
                if (!piece.isEmpty()) pieces.append(piece);
        replacement.oldKeywords = editor.keywords();
        replacement.newKeywords = KeywordsArray(pieces);
        editor.setKeywords(replacement.newKeywords);
    }
    return replacement;
}

bool WebContentDrop::replaceSourceWithLink(const QUrl& url, const QString& currentSourceString, bool askForConfirmation) {
    const SlipPtr slip = box_.currentSlip();
    EditorModel& editor = box_.editor();
    if (!slip || !editor.isEditable() || !url.isValid() || url.isRelative()) return false;
    if (editor.changedCell() == EditorCell::Source && editor.source() != currentSourceString)
        editor.typeInField(EditorCell::Source, currentSourceString);
    box_.commitPotentialChangesInFieldsAndStoreCurrentSlip();
    const QString address = url.toString();
    bool replace = false;
    if (isWebAddress(address)) {
        const UiPort::Alert question{UiPort::AlertStyle::Sheet, ReplaceQuestion, ReplaceQuestionDetail,
                                     {JustLinkButton, LinkAndReplaceButton}};
        replace = !askForConfirmation || box_.ui().askQuestion(question) == 1;
    }
    const bool changed = recordWholeSlipStep(box_, undo_names::Drop, [&] {
        if (replace && !replaceSlipTextWithWebPage(url)) return false;
        editor.setSource(address);
        return true;
    });
    if (!changed) return false;
    box_.updateWindow();
    return true;
}

bool WebContentDrop::insertMediaAtIndex(const QUrl& url, qsizetype index) {
    if (!box_.currentSlip() || !box_.editor().isEditable()) return false;
    const Result<WebPage> media = fetch(url);
    if (!media) {
        box_.ui().displayAlert(FetchFailedMessage, QStringLiteral("%1 (%2)").arg(media.error(), url.toString()));
        return false;
    }
    SlipTextInsertion(box_).insertAttributedString(media->text, index);
    return true;
}

}  // namespace fendle
