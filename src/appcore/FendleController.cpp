#include "appcore/FendleController.h"

#include "appcore/Preferences.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/Paths.h"
#include "platform/system/Log.h"
#include "platform/files/MappedFile.h"
#include "platform/ui/UiPort.h"
#include "platform/plist/XmlPlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fendle {

namespace {

QString comparablePath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

std::optional<PlistValue> readSmallDictionary(const QString& path) {
    const Result<QByteArray> bytes = readWholeFile(path, FendleController::MaxSmallFileSize);
    if (!bytes) return std::nullopt;
    Result<PlistValue> plist = readPlist(*bytes);
    if (!plist || plist->type() != PlistValue::Type::Dictionary) return std::nullopt;
    return *plist;
}

std::optional<QString> stringOrNumber(const PlistValue* value) {
    if (!value) return std::nullopt;
    if (value->type() == PlistValue::Type::String) return value->toString();
    if (value->type() == PlistValue::Type::Integer) return QString::number(value->toInteger());
    return std::nullopt;
}

void setError(QString* error, const QString& message) {
    if (error) *error = message;
}

}  // namespace

FendleController::FendleController(UiPort& ui, Preferences& preferences, Host& host)
    : ui_(ui), preferences_(preferences), host_(host), autosaver_(Paths::autosaveFolder()) {}

void FendleController::alert(const QString& message, const QString& informative) {
    ui_.showAlert({UiPort::AlertStyle::Modal, message, informative});
}

BoxPtr FendleController::currentDocument() const { return current_.lock(); }

void FendleController::setCurrentDocument(const BoxPtr& box) { current_ = box; }

BoxPtr FendleController::currentBoxInterface() const {
    // An extra slip window in front belongs to no document window: its box
    // is the one the menus and the inspector work on.
    if (BoxPtr box = keyExtraWindowBox_.lock()) return box;
    return currentDocument();
}

const BoxData* FendleController::currentBoxData() const {
    const BoxPtr box = currentBoxInterface();
    return box ? &box->box() : nullptr;
}

std::optional<QString> FendleController::pathOfDocument(const Box& box) const {
    for (const Document& document : documents_)
        if (document.box.get() == &box) return document.path;
    return std::nullopt;
}

BoxPtr FendleController::documentForPath(const QString& path) const {
    const QString wanted = comparablePath(path);
    for (const Document& document : documents_)
        if (document.path && comparablePath(*document.path) == wanted) return document.box;
    return nullptr;
}

BoxPtr FendleController::boxForReading(const QString& path, QString* error) {
    if (BoxPtr open = documentForPath(path)) return open;
    return readBoxFile(path, error);
}

void FendleController::closeDocument(const BoxPtr& box) {
    if (!box) return;
    autosaver_.forget(*box);
    const bool listed = std::any_of(documents_.begin(), documents_.end(),
                                    [&](const Document& document) { return document.box == box; });
    std::erase_if(documents_, [&](const Document& document) { return document.box == box; });
    if (listed) host_.documentClosed(*box);
    if (currentDocument() == box) current_.reset();
    if (!documents_.empty() && !currentDocument()) current_ = documents_.back().box;
}

FendleController::Document& FendleController::addDocument(BoxPtr box, std::optional<QString> path, bool display) {
    if (path) box->setFileName(path);
    documents_.push_back(Document{std::move(box), std::move(path), display});
    Document& document = documents_.back();
    if (display) current_ = document.box;
    if (display) autosaver_.watch(document.box);
    host_.documentOpened(document);
    return document;
}

void FendleController::setPathOfDocument(const Box& box, const QString& path) {
    for (Document& document : documents_)
        if (document.box.get() == &box) document.path = path;
}

BoxPtr FendleController::openUntitledDocument(bool display) {
    BoxPtr box = host_.makeBox();
    addDocument(box, std::nullopt, display);
    box->loadDocumentWithInitialData();
    return box;
}

BoxPtr FendleController::openDefaultDocIfNothingYetOpen() {
    if (!documents_.empty()) {
        if (BoxPtr current = currentDocument()) return current;
        return documents_.front().box;
    }
    switch (preferences_.integerForKey(Preferences::StartupMode)) {
    case 0:
        return nullptr;
    case 2:
        host_.runOpenPanel();
        return nullptr;
    case 3: {
        const QStringList recent = host_.recentDocuments();
        if (recent.isEmpty()) {
            alert(QStringLiteral("Could not identify the fendle that was open last!"),
                  QStringLiteral("Please open a fendle manually!"));
            return nullptr;
        }
        const QUrl url = recent.first().contains(QLatin1String("://")) ? QUrl(recent.first())
                                                                       : QUrl::fromLocalFile(recent.first());
        return openDocumentWithContentsOfURL(url, true);
    }
    case 4: {
        const QString path = preferences_.stringForKey(Preferences::DefaultDocument);
        if (path.isEmpty()) {
            alert(QStringLiteral("I cannot open the default fendle, because none is specified."),
                  QStringLiteral("You should either specify a default fendle in the Preferences or choose another "
                                 "startup option. I am opening an empty fendle instead."));
            return openUntitledDocument(true);
        }
        const QUrl url = QUrl::fromLocalFile(Preferences::expandTilde(path));
        if (BoxPtr box = openDocumentWithContentsOfURL(url, true)) return box;
        alert(QStringLiteral("Please specify a valid path in the Preferences if you want to open a default document "
                             "at application launch!"),
              QStringLiteral("I couln't open the file with path %1").arg(url.toString()));
        return nullptr;
    }
    default:
        return openUntitledDocument(true);
    }
}

QString FendleController::documentTypeForPath(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("fendle")) return BoxDocument::DocumentType;
    if (extension == QLatin1String("fdlcache")) return CacheFileTypeQuorvel;
    if (extension == QLatin1String("fdloutline")) return OutlineType;
    if (extension == QLatin1String("fdlplugin")) return PlugInType;
    return QString();
}

bool FendleController::isSlipFileExtension(const QString& lowerExtension) {
    static const QStringList extensions{"jpg", "jpeg", "gif", "png", "tif", "tiff", "avi", "mov", "mpg",
                                        "mp3", "mp4", "mpeg", "pdf", "txt", "rtf", "rtfd", "webloc"};
    return extensions.contains(lowerExtension);
}

BoxPtr FendleController::openDocumentWithContentsOfURL(const QUrl& url, bool display, QString* error) {
    if (!url.isLocalFile()) {
        setError(error, QStringLiteral("Only files can be opened: %1").arg(url.toString()));
        return nullptr;
    }
    const QString path = url.toLocalFile();
    const QString type = documentTypeForPath(path);
    const QString extension = QFileInfo(path).suffix().toLower();
    if (type == CacheFileTypeQuorvel || type == CacheFileTypeHalvorn || type == BoxDocument::CacheFileType)
        return openCacheFile(path, display, error);
    if (type == OutlineType) {
        alert(QStringLiteral("Outliner code not included in this version"));
        return nullptr;
    }
    // The two cases below answer a box that is never shown or listed, so that
    // the caller sees success without a stray document staying open.
    if (type == PlugInType) {
        installPlugIn(path);
        return host_.makeBox();
    }
    if (isSlipFileExtension(extension)) {
        host_.makeSlipFromFile(path);
        return host_.makeBox();
    }
    const bool alreadyOpen = documentForPath(path) != nullptr;
    BoxPtr box = openStandard(path, display, error);
    if (!box) return nullptr;
    if (alreadyOpen) return box;
    if (box->fileFormatOnLastOpening() == BoxDocument::OldDocumentType && !offerFormatUpgrade(box, path)) return nullptr;
    host_.refreshInspector();
    box->updateBoxWindowTitle();
    return box;
}

BoxPtr FendleController::openStandard(const QString& path, bool display, QString* error) {
    if (BoxPtr open = documentForPath(path)) {
        if (display) {
            current_ = open;
            host_.bringToFront(*open);
        }
        return open;
    }
    BoxPtr box = readBoxFile(path, error);
    if (!box) return nullptr;
    addDocument(box, path, display);
    box->loadDocumentWithInitialData(currentlyOpeningFromCacheFile_ ? std::optional<QString>(slipToDisplay_)
                                                                    : std::nullopt);
    return box;
}

BoxPtr FendleController::readBoxFile(const QString& path, QString* error) {
    BoxPtr box = host_.makeBox();
    if (const Status read = box->readFromURL(path); !read) {
        logLine(QStringLiteral("FendleController:readBoxFile: %1").arg(read.error()));
        setError(error, QStringLiteral("The file %1 could not be read as a box.").arg(QFileInfo(path).fileName()));
        return nullptr;
    }
    return box;
}

BoxPtr FendleController::openCacheFile(const QString& path, bool display, QString* error) {
    const std::optional<PlistValue> cache = readSmallDictionary(path);
    const std::optional<QString> boxPath = cache ? stringOrNumber(cache->value(BoxPathKey)) : std::nullopt;
    if (!boxPath || boxPath->isEmpty()) {
        setError(error, QStringLiteral("The cache file %1 names no box.").arg(QFileInfo(path).fileName()));
        logLine(QStringLiteral("FendleController:openDocumentWithContentsOfURL: no box in %1").arg(path));
        return nullptr;
    }
    std::optional<QString> key = stringOrNumber(cache->value(SlipIDKey));
    if (!key) key = stringOrNumber(cache->value(LegacySlipIDKey));
    if (BoxPtr open = documentForPath(*boxPath)) {
        if (key) open->displaySlipWithID(*key);
        current_ = open;
        host_.bringToFront(*open);
        return open;
    }
    if (!QFileInfo::exists(*boxPath)) {
        setError(error, QStringLiteral("The box %1 of this slip is no longer there.").arg(*boxPath));
        return nullptr;
    }
    currentlyOpeningFromCacheFile_ = key.has_value();
    slipToDisplay_ = key.value_or(QString());
    BoxPtr box = openDocumentWithContentsOfURL(QUrl::fromLocalFile(*boxPath), display, error);
    currentlyOpeningFromCacheFile_ = false;
    slipToDisplay_.clear();
    return box;
}

void FendleController::installPlugIn(const QString& bundlePath) {
    const std::optional<PlistValue> info = readSmallDictionary(bundlePath + QStringLiteral("/Contents/Info.plist"));
    const std::optional<QString> name = info ? stringOrNumber(info->value(QStringLiteral("ZNPlugInName"))) : std::nullopt;
    const int answer = ui_.askQuestion(
        {UiPort::AlertStyle::Modal, QStringLiteral("Do you want to install the plug-in \"%1\"?").arg(name.value_or(QString())),
         QStringLiteral("If you click OK, the plug-in will be moved to the Application Support folder and will be "
                        "available in Fendle. If the plug-in is already is installed the existing version will be "
                        "replaced."),
         {QStringLiteral("OK"), QStringLiteral("Cancel")}});
    if (answer != 0) return;
    const QString failure = QStringLiteral("Could not move the plug-in!");
    const QString target = plugInFolder_ + QLatin1Char('/') + QFileInfo(bundlePath).fileName();
    if (comparablePath(target) == comparablePath(bundlePath)) {
        alert(failure, QStringLiteral("Source and target location are identical."));
        return;
    }
    const QFileInfo existing(target);
    if (existing.exists() || existing.isSymLink()) {
        const bool removed = existing.isDir() && !existing.isSymLink() ? QDir(target).removeRecursively()
                                                                        : QFile::remove(target);
        if (!removed) {
            alert(failure, QStringLiteral("Could not delete the existing version of the plug-in."));
            return;
        }
    }
    if (!QDir().mkpath(plugInFolder_) || !QDir().rename(bundlePath, target)) {
        alert(failure, QStringLiteral("Some error occurred during the move operation."));
        return;
    }
    host_.plugInsInstalled();
    host_.showPlugInPreferences();
}

bool FendleController::offerFormatUpgrade(const BoxPtr& box, const QString& path) {
    const int answer = ui_.askQuestion(
        {UiPort::AlertStyle::Modal, QStringLiteral("File format will be updated!"),
         QStringLiteral("Click Backup if you want to keep a backup in the old format! Note that the file will not be "
                        "changed until the next time it will be saved."),
         {QStringLiteral("Backup"), QStringLiteral("No Backup"), QStringLiteral("Cancel")}});
    if (answer == 1) return true;
    if (answer == 0) {
        const QString proposed = QFileInfo(path).completeBaseName() + QStringLiteral("-backup");
        const std::optional<QString> chosen = host_.runBackupSavePanel(proposed);
        if (!chosen) {
            closeDocument(box);
            return false;
        }
        // The copy replaces an older file only once it is written, and never
        // the box file itself.
        const Result<QByteArray> bytes = readWholeFile(path, BoxFile::MaxFileSize);
        if (comparablePath(*chosen) == comparablePath(path) || !bytes || !writeFileAtomically(*chosen, *bytes))
            alert(QStringLiteral("Error while creating backup!"));
        return true;
    }
    alert(QStringLiteral("I will close the document again. You will receive a system warning following this dialogue."),
          QStringLiteral("You need to change to the new file format in order to use versions of Fendle of 0.7 and later."));
    closeDocument(box);
    return false;
}

bool FendleController::reopenDocumentForURL(const QUrl& url, const QUrl& autosavedContents) {
    const int answer = ui_.askQuestion(
        {UiPort::AlertStyle::Modal, QStringLiteral("There are unsaved changes in: %1").arg(url.toString()),
         QStringLiteral("Do you want to open the auto-saved document?"),
         {QStringLiteral("Open auto-saved"), QStringLiteral("Open manually saved"),
          QStringLiteral("Discard auto-saved changes")}});
    if (answer == 2) return false;
    if (answer == 1) {
        openDocumentWithContentsOfURL(url, true);
        return true;
    }
    while (BoxPtr open = documentForPath(url.toLocalFile())) closeDocument(open);
    BoxPtr box = readBoxFile(autosavedContents.toLocalFile(), nullptr);
    if (!box) return false;
    // The box belongs to the saved file; its contents are the newer ones.
    addDocument(box, url.toLocalFile(), true);
    box->loadDocumentWithInitialData();
    box->markDocumentEdited();
    return true;
}

void FendleController::reopenAutosavedDocuments() {
    for (const Autosaver::Leftover& leftover : autosaver_.leftovers()) {
        if (leftover.boxPath)
            reopenDocumentForURL(QUrl::fromLocalFile(*leftover.boxPath), QUrl::fromLocalFile(leftover.copyPath));
        else
            reopenUntitledAutosave(leftover.copyPath);
        // What was taken is a box of its own now; what was not is unwanted.
        autosaver_.discard(leftover);
    }
}

bool FendleController::reopenUntitledAutosave(const QString& autosavedPath) {
    const int answer = ui_.askQuestion(
        {UiPort::AlertStyle::Modal, QStringLiteral("There are unsaved changes in: %1").arg(QStringLiteral("Untitled")),
         QStringLiteral("Do you want to open the auto-saved document?"),
         {QStringLiteral("Open auto-saved"), QStringLiteral("Discard auto-saved changes")}});
    if (answer != 0) return false;
    BoxPtr box = readBoxFile(autosavedPath, nullptr);
    if (!box) return false;
    addDocument(box, std::nullopt, true);
    box->loadDocumentWithInitialData();
    box->markDocumentEdited();
    return true;
}

qint64 FendleController::autosavingDelay() const {
    if (!preferences_.boolForKey(Preferences::AutoSave)) return 0;
    return preferences_.integerForKey(Preferences::AutoSaveTimeInterval) * 60;
}

}  // namespace fendle
