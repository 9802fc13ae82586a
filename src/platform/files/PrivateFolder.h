#pragma once
#include "platform/system/Result.h"

#include <QString>

namespace fendle {

// A folder only this user can enter: a real folder (not a link to one),
// owned by the user, with no access for group or others. Sockets and other
// rendezvous points live in such a folder, so that nobody else can plant
// one there first or listen in.
Status checkPrivateFolder(const QString& path);

// Makes the folder with mode 0700 when it is missing, then checks it as
// above: a folder someone else made first is refused, never used.
Status makePrivateFolder(const QString& path);

}  // namespace fendle
