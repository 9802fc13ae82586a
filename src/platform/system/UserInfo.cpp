#include "platform/system/UserInfo.h"

#include <pwd.h>
#include <unistd.h>

namespace fendle {

QString fullUserName() {
    static const QString name = [] {
        const struct passwd* entry = getpwuid(getuid());
        if (!entry) return qEnvironmentVariable("USER");
        const QString comment = QString::fromLocal8Bit(entry->pw_gecos ? entry->pw_gecos : "");
        const QString full = comment.section(QLatin1Char(','), 0, 0).trimmed();
        return full.isEmpty() ? QString::fromLocal8Bit(entry->pw_name) : full;
    }();
    return name;
}

}  // namespace fendle
