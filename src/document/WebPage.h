#pragma once
#include "platform/richtext/RichText.h"

#include <QStringList>
#include <optional>

namespace fendle {

// A web resource read for a slip: its text, and the keywords entries the
// page declares (none for a page without them and for media files).
struct WebPage {
    RichText text;
    std::optional<QStringList> keywords;
};

}  // namespace fendle
