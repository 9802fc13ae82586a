#pragma once
#include "lampwick/WrittenFiles.h"
#include "plugins/FendlePlugIn.h"

#include <QObject>

namespace lampwick {

// The principal class: writes one cache file per slip of a box into the
// metadata cache folder, where desktop search and the previews find them.
class RevadiZozarorivInterface : public QObject, public fendle::plugin::SpotlightProtocol {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FendleSpotlightProtocol_iid)
    Q_INTERFACES(fendle::plugin::GeneralProtocol fendle::plugin::SpotlightProtocol)
public:
    static inline const QString OpenMetaDefaultKey = QStringLiteral("FDLGenerateOpenMetaTagsWithSpotlightCacheFiles");

    static QString plugInName() { return QStringLiteral("Duzodu Vurizodar Uvadederu"); }

    QString shortInformation() const override { return QString(); }
    QString information() const override { return QString(); }
    void executeMenuAction(const QString&) override {}
    std::optional<QList<fendle::plugin::MenuItemDescription>> addMenuItems() override { return std::nullopt; }
    std::unique_ptr<fendle::plugin::GeneralProtocol> initWithController(fendle::plugin::DocumentControllerView&) override;
    quint32 interfaceVersion() const override { return 1; }

    // A changed slip reaches desktop search at the next full generation.
    void slipChanged(const fendle::plugin::SlipView&) override {}
    void generateCacheFiles(const QObject* sender) override;
    std::unique_ptr<fendle::plugin::SpotlightProtocol> initWithBox(const fendle::plugin::BoxDataView& box,
                                                                    fendle::plugin::BoxView& boxInterface,
                                                                    const fendle::plugin::PreferencesView& preferences) override;

private:
    const fendle::plugin::BoxDataView* myBox = nullptr;
    fendle::plugin::BoxView* myBoxInterface = nullptr;
    const fendle::plugin::PreferencesView* preferences = nullptr;
    WrittenFiles written_;

    void writeCacheFiles(const QString& folder, const QString& prefix, const QString& boxPath);
};

}  // namespace lampwick
