#pragma once
#include <QString>
#include <QUrl>

namespace fendle {

// Where addresses leave the program: the desktop's browser and handlers.
// Tests put a recorder in its place.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    // False when nothing could take the address.
    virtual bool openUrl(const QUrl& url);
};

}  // namespace fendle
