#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

class Defaults;

// Every bundle in the plug-ins folders, twice-installed ones included, with
// why it would not load: what `fendle-cli plugins` shows. It asks nothing
// and changes nothing; it loads the code of plug-ins switched on.
class PlugInSurvey {
public:
    struct Entry {
        QString path;
        QString identifier;
        QString version;
        QString name;
        bool load = false;
        // Empty when the plug-in loads.
        QString problem;
    };

    static QList<Entry> survey(const QStringList& folders, const Defaults& defaults, const QString& applicationVersion);
};

}  // namespace fendle
