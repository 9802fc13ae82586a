// A plug-in the tests build and install. MENUS offers menu items (one with
// a submenu); SPOTLIGHT writes a beacon file per generation into the cache
// folder; REFUSING will not be made.
#include "plugins/FendlePlugIn.h"

#include <QDir>
#include <QFile>

using namespace fendle::plugin;

class TestPlugIn : public QObject,
#ifdef TEST_PLUGIN_SPOTLIGHT
                   public SpotlightProtocol
#else
                   public virtual GeneralProtocol
#endif
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FendleGeneralProtocol_iid)
#ifdef TEST_PLUGIN_SPOTLIGHT
    Q_INTERFACES(fendle::plugin::GeneralProtocol fendle::plugin::SpotlightProtocol)
#else
    Q_INTERFACES(fendle::plugin::GeneralProtocol)
#endif
public:
    // The last menu action, so that tests see which instance took it.
    QString shortInformation() const override { return lastAction; }
    QString information() const override { return QStringLiteral("test plug-in"); }
    void executeMenuAction(const QString& title) override { lastAction = title; }
    std::optional<QList<MenuItemDescription>> addMenuItems() override {
#ifdef TEST_PLUGIN_MENUS
        const QStringList box{QStringLiteral("Box")};
        return QList<MenuItemDescription>{
            {QStringLiteral("Count Words"), QStringLiteral("j"), 0, box, std::nullopt},
            {QStringLiteral("Tools"), QString(), 0, {}, QList<MenuItemDescription>{
                 {QStringLiteral("Shout"), QStringLiteral("a"), 0x100000, box, std::nullopt}}},
        };
#else
        return std::nullopt;
#endif
    }
    std::unique_ptr<GeneralProtocol> initWithController(DocumentControllerView&) override {
#ifdef TEST_PLUGIN_REFUSING
        return nullptr;
#else
        return std::make_unique<TestPlugIn>();
#endif
    }
    quint32 interfaceVersion() const override { return 1; }

#ifdef TEST_PLUGIN_SPOTLIGHT
    void slipChanged(const SlipView& slip) override { beacon(QStringLiteral("changed-") + slip.key()); }
    void generateCacheFiles(const QObject* sender) override {
        beacon(sender ? QStringLiteral("timer") : QStringLiteral("close"));
    }
    std::unique_ptr<SpotlightProtocol> initWithBox(const BoxDataView&, BoxView& box, const PreferencesView&) override {
        auto instance = std::make_unique<TestPlugIn>();
        instance->box_ = &box;
        return instance;
    }
#endif

private:
    QString lastAction;
#ifdef TEST_PLUGIN_SPOTLIGHT
    BoxView* box_ = nullptr;
    // One line per call in the cache folder, so tests see what the host asked.
    void beacon(const QString& what) {
        if (!box_) return;
        QDir().mkpath(box_->services().spotlightCacheFolder());
        QFile file(box_->services().spotlightCacheFolder() + QStringLiteral("beacon.txt"));
        if (file.open(QIODevice::Append)) file.write((what + QLatin1Char('\n')).toUtf8());
    }
#endif
};

#include "TestPlugIn.moc"
