#include "document/SlipLinkFollower.h"

#include "document/Box.h"
#include "platform/ui/UiPort.h"

namespace fendle {

std::optional<QString> SlipLinkFollower::linkString(const AttributeValue& value) {
    if (const auto* link = std::get_if<LinkAttribute>(&value)) return link->url;
    if (const auto* string = std::get_if<QString>(&value)) return *string;
    return std::nullopt;
}

bool SlipLinkFollower::textViewClickedOnLink(const AttributeValue& link) {
    const std::optional<QString> target = linkString(link);
    if (!target) return false;
    const qsizetype separator = target->indexOf(QStringLiteral("://"));
    if (!target->endsWith(QStringLiteral(".self")) || separator < 0 ||
        target->left(separator) != QStringLiteral("fendle"))
        return false;
    const QString key = target->mid(separator + 3).section(QLatin1Char('.'), 0, 0);
    if (const SlipPtr slip = box_.slip(key))
        box_.performChangeCurrentSlip(slip, false);
    else
        ui_.displayAlert(QStringLiteral("The linked slip is not in this box!"), QStringLiteral("Perhaps it is in the Trash?"));
    return true;
}

}  // namespace fendle
