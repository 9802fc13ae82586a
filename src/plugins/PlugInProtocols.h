#pragma once
#include <QStringList>

class QObject;

namespace fendle {

namespace plugin {
class GeneralProtocol;
}

// What a principal class conforms to.
class PlugInProtocols {
public:
    // At most one loaded plug-in may conform to each of these, in this order.
    static const QStringList& exclusive();
    static QString name(const QString& iid);
    // The class as a plug-in of any of the four protocols; none when it
    // conforms to none of them.
    static plugin::GeneralProtocol* general(QObject* principalClass);
    static QStringList exclusiveProtocolsOf(QObject* principalClass);
};

}  // namespace fendle
