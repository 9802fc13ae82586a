#pragma once
#include "appcore/FendleController.h"
#include "platform/system/Result.h"
#include "platform/richtext/RichText.h"

#include <QUrl>
#include <functional>
#include <map>
#include <optional>

namespace fendle {

class Defaults;
class Pasteboard;
class Preferences;
class UiPort;

// The headless part of the application object: what happens at launch and
// at quit, the services (search a box, a new slip from the pasteboard,
// append the pasteboard to the current slip), the text-checking toggles as
// stored state, and web resources taken into slips.
class FendleApplication {
public:
    static inline const QString PrivatePasteboardName = QStringLiteral("FendlePB");
    static inline const QString RtfType = QStringLiteral("text/rtf");
    // Files on the pasteboard: file addresses, one a line.
    static inline const QString FileListType = QStringLiteral("text/uri-list");
    static inline const QString SlipToDisplayKey = QStringLiteral("FDLSlipToDisplayWhenOpeningBox");
    static inline const QString InspectorVisibleKey = QStringLiteral("InspectorVisible");
    // Attachments read from files or the web are capped at this size.
    static constexpr qint64 MaxAttachmentSize = qint64(256) << 20;
    static constexpr int DownloadTimeoutMilliseconds = 60000;

    struct Hooks {
        std::function<void()> activate;
        std::function<void(Box&)> makeKeyWindow;
        std::function<void(Box&, const QString& keyword)> keywordSearch;
        std::function<std::optional<RichText>(const QByteArray&)> richTextFromRtf;
        // Rich text of a "txt", "rtf" or "rtfd" file; plain text is read without it.
        std::function<std::optional<RichText>(const QString& path)> richTextFromFile;
        // "Import Web page?" answered with OK: the page goes into a new slip.
        std::function<void(Box&, const QString& address)> importWebPage;
        std::function<bool()> inspectorVisible;
    };

    FendleApplication(FendleController& controller, UiPort& ui, Preferences& preferences, Defaults& defaults);
    Hooks& hooks() { return hooks_; }

    void applicationWillFinishLaunching();
    void applicationDidFinishLaunching();
    bool applicationShouldOpenUntitledFile() const { return false; }
    // Clears the scratch files; always answers that quitting may go on.
    bool applicationShouldTerminate();
    bool applicationShouldTerminateAfterLastWindowClosed() const;

    bool searchBoxService(const Pasteboard& pasteboard);
    bool makeSlipFromPasteboard(Pasteboard& pasteboard) { return importFromPasteboard(pasteboard, 0); }
    bool appendToSlipFromPasteboard(Pasteboard& pasteboard) { return importFromPasteboard(pasteboard, 1); }
    // Mode 0 makes a new slip, mode 1 appends to the current slip.
    bool importFromPasteboard(Pasteboard& pasteboard, int mode);
    // A file becomes a new slip, as if it were handed to the new-slip service.
    bool makeSlipFromFile(const QString& path);

    // A web resource as a rich text holding it as its one attachment.
    std::optional<RichText> attributedStringFromURL(const QUrl& url);
    // The same, saying why when it fails.
    static Result<RichText> attachmentFromURL(const QUrl& url);

    static const QStringList& textCheckingKeys();
    bool textCheckingState(const QString& key) const;
    // Flips the item's state, stores it and applies it to the current box.
    bool toggleMenuItem(const QString& key);

    static QString applicationSupportFolder();
    static QString tempFile();
    static QString versionString();

    static QStringList filesOnPasteboard(const Pasteboard& pasteboard);
    static RichText attachmentText(const QString& fileName, const QByteArray& contents);

private:
    FendleController& controller_;
    UiPort& ui_;
    Preferences& preferences_;
    Defaults& defaults_;
    Hooks hooks_;
    std::map<QString, bool> menuStates_;

    BoxPtr boxForService();
    void alert(const QString& message, const QString& informative = QString());
    // The text a file gives; none after an alert or when it cannot be read.
    std::optional<RichText> textOfFile(const QString& path, int mode);
    void deliver(Box& box, const RichText& text, int mode);
};

}  // namespace fendle
