#pragma once
#include "appcore/Autosaver.h"
#include "document/Box.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <optional>
#include <vector>

namespace fendle {

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

    // What the program around the controller does for it.
    class Host {
    public:
        virtual ~Host() = default;
        // A new box, with its own UI port and the program's collaborators.
        virtual BoxPtr makeBox() = 0;
        // A box was made or read: its window is built and shown.
        virtual void documentOpened(Document& document) = 0;
        virtual QStringList recentDocuments() const = 0;
        virtual void runOpenPanel() = 0;
        // The "Create Backup" save panel with the proposed name; none when cancelled.
        virtual std::optional<QString> runBackupSavePanel(const QString& proposedName) = 0;
        virtual void bringToFront(Box& box) = 0;
        // A plug-in bundle was moved into the plug-ins folder.
        virtual void plugInsInstalled() = 0;
        virtual void showPlugInPreferences() = 0;
        // A picture, text or web-location file becomes a slip (the new-slip service).
        virtual void makeSlipFromFile(const QString& path) = 0;
        virtual void refreshInspector() = 0;
        // The controller let go of a box: its window goes too.
        virtual void documentClosed(Box& box) = 0;
    };

    FendleController(UiPort& ui, Preferences& preferences, Host& host);
    void setPlugInFolder(const QString& folder) { plugInFolder_ = folder; }
    const QString& plugInFolder() const { return plugInFolder_; }

    const std::vector<Document>& documents() const { return documents_; }
    BoxPtr currentDocument() const;
    void setCurrentDocument(const BoxPtr& box);
    // The box of the extra slip window that is key, else the current box.
    BoxPtr currentBoxInterface() const;
    const BoxData* currentBoxData() const;
    // Set while an extra slip window is the key window, cleared (none) when
    // another window becomes key.
    void setKeyExtraWindowBox(const BoxPtr& box) { keyExtraWindowBox_ = box; }
    // Where the next extra slip window of any box cascades from.
    QPoint& nextExtraWindowPoint() { return nextExtraWindowPoint_; }
    std::optional<QString> pathOfDocument(const Box& box) const;
    BoxPtr documentForPath(const QString& path) const;
    // A box to read from without showing it: the open one at the path, else
    // the file read into a box that is never listed or shown.
    BoxPtr boxForReading(const QString& path, QString* error = nullptr);
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
    Autosaver& autosaver() { return autosaver_; }
    // Autosaving at the preferred interval (again, after a change of it).
    void startAutosaving() { autosaver_.setDelay(autosavingDelay()); }
    // Offers each box an earlier run autosaved but never closed.
    void reopenAutosavedDocuments();

    static QString documentTypeForPath(const QString& path);
    static bool isSlipFileExtension(const QString& lowerExtension);

    bool currentlyOpeningFromCacheFile() const { return currentlyOpeningFromCacheFile_; }
    const QString& slipToDisplay() const { return slipToDisplay_; }

private:
    UiPort& ui_;
    Preferences& preferences_;
    Host& host_;
    QString plugInFolder_;
    std::vector<Document> documents_;
    std::weak_ptr<Box> current_;
    std::weak_ptr<Box> keyExtraWindowBox_;
    QPoint nextExtraWindowPoint_{0, 0};
    bool currentlyOpeningFromCacheFile_ = false;
    QString slipToDisplay_;
    Autosaver autosaver_;

    Document& addDocument(BoxPtr box, std::optional<QString> path, bool display);
    BoxPtr readBoxFile(const QString& path, QString* error);
    BoxPtr openStandard(const QString& path, bool display, QString* error);
    BoxPtr openCacheFile(const QString& path, bool display, QString* error);
    void installPlugIn(const QString& bundlePath);
    // The older-form dialogue; false when the box was closed again.
    bool offerFormatUpgrade(const BoxPtr& box, const QString& path);
    bool reopenUntitledAutosave(const QString& autosavedPath);
    void alert(const QString& message, const QString& informative = QString());
};

}  // namespace fendle
