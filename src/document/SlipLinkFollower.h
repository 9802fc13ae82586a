#pragma once
#include "platform/richtext/TextAttributes.h"

#include <QString>
#include <optional>

namespace fendle {

class Box;
class UiPort;

// Clicks on links in the slip text: internal slip links are followed in the
// box; everything else is left to the text view's default action.
class SlipLinkFollower {
public:
    SlipLinkFollower(Box& box, UiPort& ui) : box_(box), ui_(ui) {}

    // The string form of a link value; none for a value that is no link.
    static std::optional<QString> linkString(const AttributeValue& value);
    // True when the click was handled here.
    bool textViewClickedOnLink(const AttributeValue& link);

private:
    Box& box_;
    UiPort& ui_;
};

}  // namespace fendle
