#pragma once
#include "model/Slip.h"
#include "platform/richtext/RichText.h"

#include <QStringList>

namespace fendle {

// The text layout of one slip that printing and export start from: a
// heading with the slip number, the slip's own rich text unchanged, and a
// footer with the parts asked for.
class SlipExportString {
public:
    struct Parts {
        bool scents = false;
        bool keywords = false;
        bool source = false;
        bool type = false;
    };

    // scentKeys: the related slips in rank order (the list's heading left out).
    static RichText exportString(const Slip& slip, const Parts& parts, const QStringList& scentKeys);
    // The address a source links to in the footer; none unless it begins
    // with one of the linkable schemes and forms a valid address.
    static std::optional<QString> sourceLink(const QString& source);
};

}  // namespace fendle
