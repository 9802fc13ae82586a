#include "appcore/FendleApplication.h"

#include "appcore/Preferences.h"
#include "document/SlipServices.h"
#include "appcore/WebDownload.h"
#include "document/WebContentDrop.h"
#include "openmeta/OpenMetaBackup.h"
#include "platform/system/AppVersion.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/Paths.h"
#include "platform/system/Defaults.h"
#include "platform/system/Log.h"
#include "platform/ui/Pasteboard.h"
#include "platform/richtext/RichTextFile.h"
#include "platform/richtext/RtfReader.h"
#include "platform/ui/UiPort.h"
#include "platform/plist/XmlPlist.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace fendle {

namespace {

const QStringList& textExtensions() {
    static const QStringList extensions{"txt", "rtf", "rtfd"};
    return extensions;
}

std::optional<RichText> richTextFromRtf(const QByteArray& rtf) {
    Result<RichText> text = RtfReader::read(rtf);
    if (!text) logLine(QStringLiteral("FendleApplication:importFromPasteboard: %1").arg(text.error()));
    return text ? std::optional<RichText>(std::move(*text)) : std::nullopt;
}

// Rich text of an "rtf" or "rtfd" file; plain text files are read in the slip text font.
std::optional<RichText> richTextFromFile(const QString& path) {
    if (QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0) return std::nullopt;
    Result<RichText> text = RichTextFile::read(path);
    if (!text) logLine(QStringLiteral("FendleApplication:importFromPasteboard: %1").arg(text.error()));
    return text ? std::optional<RichText>(std::move(*text)) : std::nullopt;
}

// Plain text files are read here; the rich forms need the RTF reader.
std::optional<RichText> plainTextOfFile(const QString& path, const FontAttribute& font) {
    if (QFileInfo(path).suffix().toLower() != QLatin1String("txt")) return std::nullopt;
    const Result<QByteArray> bytes = readWholeFile(path, FendleApplication::MaxAttachmentSize);
    if (!bytes) return std::nullopt;
    Attributes attributes;
    attributes.set(attr::Font, font);
    return RichText(QString::fromUtf8(*bytes), attributes);
}

}  // namespace

FendleApplication::FendleApplication(FendleController& controller, UiPort& ui, Preferences& preferences,
                                     Defaults& defaults, Host& host)
    : controller_(controller), ui_(ui), preferences_(preferences), defaults_(defaults), host_(host) {
    controller_.setPlugInFolder(Paths::plugInsFolder());
}

void FendleApplication::alert(const QString& message, const QString& informative) {
    ui_.showAlert({UiPort::AlertStyle::Modal, message, informative});
}

QString FendleApplication::applicationSupportFolder() { return Paths::applicationSupportFolder(); }

QString FendleApplication::tempFile() { return Paths::tempRtfdFile(); }

QString FendleApplication::versionString() { return fendle::versionString(); }

void FendleApplication::applicationWillFinishLaunching() {
    if (!defaults_.persistentObjectForKey(SlipToDisplayKey))
        defaults_.setObject(SlipToDisplayKey, QStringLiteral("Last in fendle"));
    controller_.openDefaultDocIfNothingYetOpen();
    // Plug-ins of the old format cannot be loaded; their folder is emptied.
    const QString plugIns = Paths::plugInsFolder();
    const Result<QByteArray> catalogue = readWholeFile(plugIns + QStringLiteral("/pluginCatalogue.xml"),
                                                       FendleController::MaxSmallFileSize);
    if (!catalogue) return;
    const Result<PlistValue> plist = readPlist(*catalogue);
    if (!plist || plist->type() != PlistValue::Type::Dictionary) return;
    const bool outdated = std::any_of(plist->dictionary().begin(), plist->dictionary().end(),
                                      [](const auto& entry) { return entry.first.startsWith(QLatin1String("net.halvorn")); });
    if (!outdated) return;
    alert(QStringLiteral("Fendle versions of 0.9.7 and later use a different plug-in format. Your current plug-ins will "
                         "be deleted."),
          QStringLiteral("Please go to the \"Plug-ins\" section of the Preferences and redownload the plug-ins you are "
                         "using."));
    for (const QFileInfo& entry : QDir(plugIns).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        QFile::moveToTrash(entry.absoluteFilePath());
}

const QStringList& FendleApplication::textCheckingKeys() {
    static const QStringList keys{"CheckSpellingAsYouType", "FDLCheckGrammarWithSpelling", "FDLSmartCopyPaste",
                                  "FDLSmartQuotes", "FDLSmartLinks"};
    return keys;
}

void FendleApplication::applicationDidFinishLaunching() {
    for (const QString& key : textCheckingKeys()) {
        const auto stored = defaults_.persistentObjectForKey(key);
        menuStates_[key] = !stored || Defaults::toBool(*stored);
    }
}

bool FendleApplication::textCheckingState(const QString& key) const {
    const auto it = menuStates_.find(key);
    return it == menuStates_.end() || it->second;
}

bool FendleApplication::toggleMenuItem(const QString& key) {
    const bool on = !textCheckingState(key);
    menuStates_[key] = on;
    defaults_.setObject(key, on);
    if (const BoxPtr box = controller_.currentBoxInterface()) box->setTextChecking(key, on);
    return on;
}

bool FendleApplication::applicationShouldTerminate() {
    const QString fendle = applicationSupportFolder() + QStringLiteral("/Fendle/");
    const QFileInfo scratch(tempFile());
    if (scratch.exists() || scratch.isSymLink()) {
        const bool removed = scratch.isDir() && !scratch.isSymLink() ? QDir(tempFile()).removeRecursively()
                                                                      : QFile::remove(tempFile());
        if (!removed)
            alert(QStringLiteral("Problem deleting Fendle temp file!\n\n(I can show some attachments only as icons now. "
                                 "The data will stay intact. Please quit the program now and read the \"Unlikely "
                                 "occurrences\" section of the documentation to correct this problem.)"));
    }
    const QFileInfo dragging(fendle + QStringLiteral("Dragging/"));
    if (dragging.exists() && !(dragging.isDir() && !dragging.isSymLink() ? QDir(dragging.filePath()).removeRecursively()
                                                                         : QFile::remove(dragging.filePath())))
        logLine(QStringLiteral("Could not remove the temporary Fendle/Dragging folder."));
    QDirIterator indexes(fendle, {QStringLiteral("*.fdlindex")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList found;
    while (indexes.hasNext()) found.append(indexes.next());
    for (const QString& path : found) QFile::remove(path);
    defaults_.setObject(InspectorVisibleKey, host_.inspectorVisible());
    OpenMetaBackup::sharedInstance().finishBeforeQuit();
    return true;
}

bool FendleApplication::applicationShouldTerminateAfterLastWindowClosed() const {
    return preferences_.boolForKey(Preferences::TerminateWhenLastDocumentIsClosed);
}

BoxPtr FendleApplication::boxForService() {
    host_.activate();
    BoxPtr box = controller_.openDefaultDocIfNothingYetOpen();
    if (!box) {
        alert(QStringLiteral("Couldn't find a document for this service"));
        return nullptr;
    }
    host_.makeKeyWindow(*box);
    return box;
}

bool FendleApplication::searchBoxService(const Pasteboard& pasteboard) {
    const BoxPtr box = boxForService();
    if (!box) return false;
    const auto string = pasteboard.data(Pasteboard::StringType);
    if (string) {
        UndoManager::EventScope event(box->undoManager());
        box->initiateKeywordSearch(QString::fromUtf8(*string));
    }
    return true;
}

QStringList FendleApplication::filesOnPasteboard(const Pasteboard& pasteboard) {
    const auto list = pasteboard.data(FileListType);
    if (!list) return {};
    QStringList paths;
    for (const QByteArray& line : list->split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#')) continue;
        const QUrl url = QUrl::fromEncoded(trimmed);
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    }
    return paths;
}

RichText FendleApplication::attachmentText(const QString& fileName, const QByteArray& contents) {
    Attributes attributes;
    attributes.set(attr::Attachment, AttachmentAttribute{fileName, contents});
    return RichText(QString(QChar(AttachmentCharacter)), attributes);
}

bool FendleApplication::isMediaFile(const QString& path) {
    return WebContentDrop::mediaExtensions().contains(QFileInfo(path).suffix().toLower());
}

Result<RichText> FendleApplication::attachmentOfFile(const QString& path) {
    const Result<QByteArray> bytes = readWholeFile(path, MaxAttachmentSize);
    if (!bytes) return Result<RichText>::failure(bytes);
    return attachmentText(QFileInfo(path).fileName(), *bytes);
}

bool FendleApplication::makeSlipFromFile(const QString& path) {
    InMemoryPasteboard privatePasteboard;
    privatePasteboard.setData(FileListType, QUrl::fromLocalFile(path).toEncoded() + '\n');
    return importFromPasteboard(privatePasteboard, 0);
}

std::optional<RichText> FendleApplication::textOfFile(const QString& path, int mode) {
    const QString extension = QFileInfo(path).suffix().toLower();
    if (textExtensions().contains(extension)) {
        std::optional<RichText> text = richTextFromFile(path);
        if (!text) text = plainTextOfFile(path, preferences_.fontForKey(Preferences::SlipTextFont));
        if (!text) alert(QStringLiteral("I don't know how to import this file/data!"));
        return text;
    }
    // Files of the kinds a dropped web address brings in as an attachment.
    if (isMediaFile(path)) {
        Result<RichText> attachment = attachmentOfFile(path);
        if (!attachment) {
            logLine(QStringLiteral("FendleApplication:importFromPasteboard: %1").arg(attachment.error()));
            alert(QStringLiteral("I don't know how to import this file/data!"));
            return std::nullopt;
        }
        return std::move(*attachment);
    }
    alert(QStringLiteral("Sorry, I don't kow what to do with this file!"),
          QStringLiteral("You can try to drag the file into the text field or ask the developer to include this file "
                         "type in the next version."));
    return std::nullopt;
}

bool FendleApplication::importFromPasteboard(Pasteboard& pasteboard, int mode) {
    const BoxPtr box = boxForService();
    if (!box) return false;
    std::optional<RichText> text;
    if (const auto rtf = pasteboard.data(RtfType)) text = richTextFromRtf(*rtf);
    const QStringList files = text ? QStringList() : filesOnPasteboard(pasteboard);
    if (!text && !files.isEmpty() && QFileInfo(files.first()).suffix().toLower() == QLatin1String("webloc")) {
        const Result<QByteArray> bytes = readWholeFile(files.first(), FendleController::MaxSmallFileSize);
        const Result<PlistValue> plist = bytes ? readPlist(*bytes) : Result<PlistValue>::failure(bytes.error());
        const PlistValue* address = plist && plist->type() == PlistValue::Type::Dictionary
                                        ? plist->value(QStringLiteral("URL")) : nullptr;
        pasteboard.clearContents();
        if (address && address->type() == PlistValue::Type::String)
            pasteboard.setData(Pasteboard::StringType, address->toString().toUtf8());
    } else if (!text && !files.isEmpty()) {
        const QString& path = files.first();
        // An RTFD package is a folder too, but one text.
        const bool package = QFileInfo(path).suffix().toLower() == QLatin1String("rtfd");
        if (QFileInfo(path).isDir() && !package) {
            // Every file below the folder, nested ones included, becomes one slip.
            QDirIterator walk(path, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
            QStringList found;
            while (walk.hasNext()) found.append(walk.next());
            found.sort();
            for (const QString& file : found) makeSlipFromFile(file);
            return true;
        }
        text = textOfFile(path, mode);
        if (!text) return false;
    }
    if (const auto string = pasteboard.data(Pasteboard::StringType); !text && string) {
        const QString value = QString::fromUtf8(*string);
        Attributes attributes;
        attributes.set(attr::Font, preferences_.fontForKey(Preferences::SlipTextFont));
        text = RichText(value, attributes);
        if (value.startsWith(QLatin1String("http://")) || value.startsWith(QLatin1String("https://"))) {
            const int answer = ui_.askQuestion({UiPort::AlertStyle::Modal, QStringLiteral("Import Web page?"), QString(),
                                                {QStringLiteral("OK"), QStringLiteral("Import link"),
                                                 QStringLiteral("Cancel")}});
            if (answer == 0) {
                importWebPage(*box, QUrl(value));
                return true;
            }
            if (answer != 1) return false;
            text->addAttribute(attr::Link, LinkAttribute{value, true}, text->wholeRange());
        }
    }
    if (!text) {
        alert(QStringLiteral("I don't know how to import this file/data!"));
        return false;
    }
    deliver(*box, *text, mode);
    return true;
}

void FendleApplication::deliver(Box& box, const RichText& text, int mode) {
    UndoManager::EventScope event(box.undoManager());
    if (mode == 0) {
        // A provisional number; the box gives the slip its own when filing it.
        const SlipPtr slip = Slip::create(9999);
        slip->setText(text);
        createSlipSystemService(box, slip);
    } else {
        appendTextToSlipSystemService(box, text);
    }
}

void FendleApplication::importWebPage(Box& box, const QUrl& address) {
    UndoManager::EventScope event(box.undoManager());
    box.addSlip();
    WebContentDrop(box).replaceSourceWithLink(address, QString(), false);
}

std::optional<RichText> FendleApplication::attributedStringFromURL(const QUrl& url) {
    Result<RichText> text = attachmentFromURL(url);
    if (!text) {
        logLine(QStringLiteral("FendleApplication:attributedStringFromURL: %1").arg(text.error()));
        return std::nullopt;
    }
    return std::move(*text);
}

Result<RichText> FendleApplication::attachmentFromURL(const QUrl& url) {
    const Result<QByteArray> data = downloadData(url, MaxAttachmentSize, DownloadTimeoutMilliseconds);
    if (!data) return Result<RichText>::failure(data);
    const QString folder = applicationSupportFolder() + QStringLiteral("/Fendle/drag-drop-temp");
    QString name = QFileInfo(url.path()).fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) name = QStringLiteral("download");
    const QString path = folder + QLatin1Char('/') + name;
    // A link standing in for the folder would send the clean-up elsewhere.
    if (QFileInfo(folder).isSymLink()) QFile::remove(folder);
    Result<RichText> result = Result<RichText>::failure(QStringLiteral("The download could not be kept as a file"));
    if (QDir().mkpath(folder) && writeFileAtomically(path, *data)) {
        // The attachment is made from the written file, as a dropped file would be.
        if (Result<RichText> written = attachmentOfFile(path)) result = std::move(written);
    }
    QDir(folder).removeRecursively();
    return result;
}

}  // namespace fendle
