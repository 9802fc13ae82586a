#include "plugins/PlugInProtocols.h"

#include "plugins/FendlePlugIn.h"

namespace fendle {

const QStringList& PlugInProtocols::exclusive() {
    static const QStringList iids{FendleBoxSearchProtocol_iid, FendleKeywordExtractionProtocol_iid,
                                  FendleSpotlightProtocol_iid};
    return iids;
}

QString PlugInProtocols::name(const QString& iid) {
    return iid.section(QLatin1Char('.'), -1).section(QLatin1Char('/'), 0, 0);
}

plugin::GeneralProtocol* PlugInProtocols::general(QObject* principalClass) {
    // A class may declare only the protocol that includes the general one.
    if (auto* general = qobject_cast<plugin::GeneralProtocol*>(principalClass)) return general;
    if (auto* spotlight = qobject_cast<plugin::SpotlightProtocol*>(principalClass)) return spotlight;
    if (auto* extraction = qobject_cast<plugin::KeywordExtractionProtocol*>(principalClass)) return extraction;
    return qobject_cast<plugin::BoxSearchProtocol*>(principalClass);
}

QStringList PlugInProtocols::exclusiveProtocolsOf(QObject* principalClass) {
    QStringList conforms;
    for (const QString& iid : exclusive())
        if (principalClass && principalClass->qt_metacast(iid.toLatin1().constData())) conforms.append(iid);
    return conforms;
}

}  // namespace fendle
