#include "platform/richtext/RtfDefaults.h"

namespace fendle::rtfdefaults {

FontAttribute font() { return FontAttribute{QStringLiteral("Helvetica"), QStringLiteral("Helvetica"), 12.0, false, false}; }

const ParagraphStyleAttribute& paragraphStyle() {
    static const ParagraphStyleAttribute style = [] {
        ParagraphStyleAttribute s;
        for (int i = 1; i <= 12; ++i) s.tabStops.append(TabStop{TabStop::Type::Left, 28.0 * i});
        return s;
    }();
    return style;
}

}  // namespace fendle::rtfdefaults
