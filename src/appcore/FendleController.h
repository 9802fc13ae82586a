#pragma once
#include "document/Box.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace fendle {

class BoxFileCodec;
class Pasteboard;
class Preferences;
class UiPort;

using BoxPtr = std::shared_ptr<Box>;

// The document controller: the open boxes and the current one, the box
// opened at launch, and the opening of whatever file the program is handed
// (boxes, cache files, plug-in bundles, pictures and text files).
class FendleController {
public:
    static inline const QString CacheFileTypeQuorvel = QStringLiteral("com.quorvel.fendle.fdlcache");
    static inline const QString CacheFileTypeHalvorn = QStringLiteral("net.halvorn.fendle.fdlcache");
    static inline const QString OutlineType = QStringLiteral("Fendle Outline");
    static inline const QString PlugInType = QStringLiteral("Fendle Plug-in");
    static inline const QString SlipIDKey = QStringLiteral("com_quorvel_fendle_fdlcache_slipID");
    static inline const QString LegacySlipIDKey = QStringLiteral("net_halvorn_fendle_fdlcache_slipID");
    static inline const QString BoxPathKey = QStringLiteral("kMDItemFSName");
    // Cache files and plug-in Info files are small; larger ones are refused.
    static constexpr qint64 MaxSmallFileSize = qint64(4) << 20;

    struct Document {
        BoxPtr box;
        std::optional<QString> path;
        bool displayed = false;
    };

    // What the program around the controller provides.
    struct Hooks {
        std::function<QStringList()> recentDocuments;
        std::function<void()> runOpenPanel;
        // The "Create Backup" save panel with the proposed name; none when cancelled.
        std::function<std::optional<QString>(const QString& proposedName)> runBackupSavePanel;
        std::function<void(Box&)> bringToFront;
        // A box was made or read: the program builds its window and wiring.
        std::function<void(Document&)> documentOpened;
        std::function<void()> plugInsInstalled;
        std::function<void()> showPlugInPreferences;
        // Reads a box from its autosaved contents (by default the file codec); none on failure.
        std::function<BoxPtr(const QString& path, const QString& autosavedPath)> openAutosaved;
        // A picture, text or web-location file becomes a slip (the new-slip service).
        std::function<void(const QString& path)> makeSlipFromFile;
        std::function<void()> refreshInspector;
        // Makes the box of a document that gets a window (the program gives
        // each its own UI port); by default a box on the controller's port.
        std::function<BoxPtr()> makeBox;
    };

    FendleController(UiPort& ui, Pasteboard& pasteboard, Preferences& preferences, BoxFileCodec* codec);
    Hooks& hooks() { return hooks_; }
    void setPlugInFolder(const QString& folder) { plugInFolder_ = folder; }

    const std::vector<Document>& documents() const { return documents_; }
    BoxPtr currentDocument() const;
    void setCurrentDocument(const BoxPtr& box);
    // The box of the extra slip window that is key, else the current box.
    BoxPtr currentBoxInterface() const;
    BoxData* currentBoxData() const;
    // Set while an extra slip window is the key window, cleared (none) when
    // another window becomes key.
    void setKeyExtraWindowBox(const BoxPtr& box) { keyExtraWindowBox_ = box; }
    // Where the next extra slip window of any box cascades from.
    QPoint& nextExtraWindowPoint() { return nextExtraWindowPoint_; }
    std::optional<QString> pathOfDocument(const Box& box) const;
    BoxPtr documentForPath(const QString& path) const;
    void closeDocument(const BoxPtr& box);
    // After "Save As": the document is found under its new path.
    void setPathOfDocument(const Box& box, const QString& path);

    BoxPtr openUntitledDocument(bool display);
    BoxPtr openDefaultDocIfNothingYetOpen();
    BoxPtr openDocumentWithContentsOfURL(const QUrl& url, bool display, QString* error = nullptr);
    // Answers whether the box was reopened.
    bool reopenDocumentForURL(const QUrl& url, const QUrl& autosavedContents);
    // Seconds; 0 turns autosaving off.
    qint64 autosavingDelay() const;

    static QString documentTypeForPath(const QString& path);
    static bool isSlipFileExtension(const QString& lowerExtension);

    bool currentlyOpeningFromCacheFile() const { return currentlyOpeningFromCacheFile_; }
    const QString& slipToDisplay() const { return slipToDisplay_; }

private:
    UiPort& ui_;
    Pasteboard& pasteboard_;
    Preferences& preferences_;
    BoxFileCodec* codec_;
    Hooks hooks_;
    QString plugInFolder_;
    std::vector<Document> documents_;
    std::weak_ptr<Box> current_;
    std::weak_ptr<Box> keyExtraWindowBox_;
    QPoint nextExtraWindowPoint_{0, 0};
    bool currentlyOpeningFromCacheFile_ = false;
    QString slipToDisplay_;

    BoxPtr newBox();
    Document& addDocument(BoxPtr box, std::optional<QString> path, bool display);
    BoxPtr readBoxFile(const QString& path, QString* error);
    BoxPtr openStandard(const QString& path, bool display, QString* error);
    BoxPtr openCacheFile(const QString& path, bool display, QString* error);
    void installPlugIn(const QString& bundlePath);
    // The older-form dialogue; false when the box was closed again.
    bool offerFormatUpgrade(const BoxPtr& box, const QString& path);
    void alert(const QString& message, const QString& informative = QString());
};

}  // namespace fendle
