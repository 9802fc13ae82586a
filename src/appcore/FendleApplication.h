#pragma once
#include "appcore/FendleController.h"
#include "platform/system/Result.h"
#include "platform/richtext/RichText.h"

#include <QUrl>
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

    // What the program's windows do for the application object.
    class Host {
    public:
        virtual ~Host() = default;
        // The program comes to the front for a service.
        virtual void activate() = 0;
        virtual void makeKeyWindow(Box& box) = 0;
        virtual bool inspectorVisible() const = 0;
        // The URL-open event: a "fendle:" link to show.
        virtual void openSlipLink(const QString& address) = 0;
    };

    FendleApplication(FendleController& controller, UiPort& ui, Preferences& preferences, Defaults& defaults,
                      Host& host);

    void applicationWillFinishLaunching();
    void applicationDidFinishLaunching();
    bool applicationShouldOpenUntitledFile() const { return false; }
    Host& host() { return host_; }
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
    // Pictures, films, sounds and PDF files: kept in a slip as attachments.
    static bool isMediaFile(const QString& path);
    // A file as a rich text holding it as its one attachment; a file that
    // cannot be read or is larger than MaxAttachmentSize gives none.
    static Result<RichText> attachmentOfFile(const QString& path);

private:
    FendleController& controller_;
    UiPort& ui_;
    Preferences& preferences_;
    Defaults& defaults_;
    Host& host_;
    std::map<QString, bool> menuStates_;

    BoxPtr boxForService();
    void alert(const QString& message, const QString& informative = QString());
    // The text a file gives; none after an alert or when it cannot be read.
    std::optional<RichText> textOfFile(const QString& path, int mode);
    void deliver(Box& box, const RichText& text, int mode);
    // "Import Web page?" answered with OK: a new slip with the page as its
    // text and the address as its source.
    void importWebPage(Box& box, const QUrl& address);
};

}  // namespace fendle
