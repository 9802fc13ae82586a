#pragma once
#include "platform/system/Defaults.h"

namespace fendle {

// Settings kept under the legacy identifier move to this program's domain:
// the whole domain is copied over, the recent-documents list file is renamed,
// and the legacy domain is removed, so that the next start finds nothing to
// move. Answers whether anything was migrated.
bool migrateLegacyDefaults(Defaults& target, const QString& folder = Defaults::configFolder());

}  // namespace fendle
