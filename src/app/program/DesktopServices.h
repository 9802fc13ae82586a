#pragma once
#include <QString>
#include <QUrl>

namespace fendle {

// Where addresses and desktop-search queries leave the program: the
// desktop's browser and handlers. Tests put a recorder in its place.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    // False when nothing could take the address.
    virtual bool openUrl(const QUrl& url);
    // False when no desktop search could be started; the desktop offers none
    // that reads the cache files.
    virtual bool desktopSearch(const QString& query);
};

}  // namespace fendle
