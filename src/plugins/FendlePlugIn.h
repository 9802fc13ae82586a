#pragma once
// The contract between Fendle and its plug-ins: the one header a plug-in
// includes. A plug-in is a Qt plug-in library whose root object is its
// principal class; the class conforms to a protocol when qobject_cast to the
// protocol's interface succeeds. The root object makes the instances the host
// works with. A plug-in links Qt Core and nothing of Fendle's: everything it
// may see of the host comes through the read-only views below.
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

namespace fendle::plugin {

// One slip as a plug-in sees it.
class SlipView {
public:
    virtual ~SlipView() = default;
    virtual QString title() const = 0;
    virtual std::optional<QString> author() const = 0;
    virtual QStringList keywords() const = 0;
    // The plain characters of the slip's text.
    virtual QString plainText() const = 0;
    virtual QString key() const = 0;
    virtual QString source() const = 0;
    virtual QDateTime creationTime() const = 0;
    virtual QDateTime lastModificationTime() const = 0;
};

// The slips of a box: the active set, so the trash while the box shows it.
class BoxDataView {
public:
    virtual ~BoxDataView() = default;
    virtual qsizetype slipCount() const = 0;
    // Each slip once; the view lives only during the call.
    virtual void forEachSlip(const std::function<void(const SlipView&)>& visit) const = 0;
};

// What a box may have written into the extended attributes of a file.
class OpenMetaView {
public:
    virtual ~OpenMetaView() = default;
    virtual void setUserTags(const QStringList& tags, const QString& path) const = 0;
};

// A progress window: a description and a bar, indeterminate until a value is set.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void show(const QString& description) = 0;
    virtual void setValue(double percent) = 0;
    virtual void hide() = 0;
};

// What the host does for a plug-in: its log, its property-list writer and
// its writer of files the plug-in can make again, which replaces a file
// whole (a reader sees the old or the new one) without waiting for the disk.
class HostServices {
public:
    virtual ~HostServices() = default;
    virtual void log(const QString& line) const = 0;
    // Strings, booleans, numbers, dates, byte arrays, lists and maps.
    virtual QByteArray xmlPropertyList(const QVariant& value) const = 0;
    virtual bool writeCacheFile(const QString& path, const QByteArray& bytes) const = 0;
    // "2009-03-05 14:22:07 +0100" in the local time zone.
    virtual QString dateDescription(const QDateTime& date) const = 0;
    virtual bool boolDefault(const QString& key) const = 0;
    // $XDG_CACHE_HOME/Metadata/Fendle/, with its final slash.
    virtual QString spotlightCacheFolder() const = 0;
};

// The box document: its file, its OpenMeta controller and its progress window.
class BoxView {
public:
    virtual ~BoxView() = default;
    // None while the box is untitled.
    virtual std::optional<QString> filePath() const = 0;
    virtual const OpenMetaView& openMetaController() const = 0;
    virtual ProgressView& progress() = 0;
    virtual const HostServices& services() const = 0;
};

// The application's preferences; held by a per-box instance.
class PreferencesView {
public:
    virtual ~PreferencesView() = default;
    virtual qint64 integerForKey(const QString& key) const = 0;
};

// The document controller as a plug-in sees it.
class DocumentControllerView {
public:
    virtual ~DocumentControllerView() = default;
    virtual const HostServices& services() const = 0;
};

// A menu item description: title, key equivalent, modifier flags (0: none),
// the window names it is enabled in ("Box") and, when present, a submenu.
struct MenuItemDescription {
    QString title;
    QString keyEquivalent;
    quint64 modifierFlags = 0;
    QStringList enabledIn;
    std::optional<QList<MenuItemDescription>> submenu;
};

class GeneralProtocol {
public:
    virtual ~GeneralProtocol() = default;
    virtual QString shortInformation() const = 0;
    virtual QString information() const = 0;
    virtual void executeMenuAction(const QString& title) = 0;
    // None when the plug-in has no menu.
    virtual std::optional<QList<MenuItemDescription>> addMenuItems() = 0;
    // An application-wide instance, or none to refuse.
    virtual std::unique_ptr<GeneralProtocol> initWithController(DocumentControllerView& controller) = 0;
    virtual quint32 interfaceVersion() const = 0;
};

class SpotlightProtocol : public virtual GeneralProtocol {
public:
    virtual void slipChanged(const SlipView& slip) = 0;
    // The sender is the timer, or none when the box closes.
    virtual void generateCacheFiles(const QObject* sender) = 0;
    // A per-box instance; the views outlive it.
    virtual std::unique_ptr<SpotlightProtocol> initWithBox(const BoxDataView& box, BoxView& boxInterface,
                                                           const PreferencesView& preferences) = 0;
};

class KeywordExtractionProtocol : public virtual GeneralProtocol {
public:
    virtual QStringList extractKeywordsFromString(const QString& string) = 0;
};

class BoxSearchProtocol : public virtual GeneralProtocol {};

}  // namespace fendle::plugin

#define FendleGeneralProtocol_iid "com.quorvel.fendle.GeneralProtocol/1"
#define FendleSpotlightProtocol_iid "com.quorvel.fendle.SpotlightProtocol/1"
#define FendleKeywordExtractionProtocol_iid "com.quorvel.fendle.KeywordExtractionProtocol/1"
#define FendleBoxSearchProtocol_iid "com.quorvel.fendle.BoxSearchProtocol/1"
Q_DECLARE_INTERFACE(fendle::plugin::GeneralProtocol, FendleGeneralProtocol_iid)
Q_DECLARE_INTERFACE(fendle::plugin::SpotlightProtocol, FendleSpotlightProtocol_iid)
Q_DECLARE_INTERFACE(fendle::plugin::KeywordExtractionProtocol, FendleKeywordExtractionProtocol_iid)
Q_DECLARE_INTERFACE(fendle::plugin::BoxSearchProtocol, FendleBoxSearchProtocol_iid)
