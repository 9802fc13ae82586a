#include "document/OrphanedLinkSearch.h"

#include "document/Box.h"
#include "document/SlipLinkFollower.h"
#include "document/SlipsInKeyOrder.h"
#include "platform/ui/UiPort.h"

namespace fendle {

std::optional<QString> OrphanedLinkSearch::linkedKey(const QString& target) {
    if (!target.startsWith(QStringLiteral("fendle")) || !target.endsWith(QStringLiteral(".self"))) return std::nullopt;
    const qsizetype slashes = target.indexOf(QStringLiteral("//"));
    const QString rest = slashes >= 0 ? target.mid(slashes + 2) : target.mid(6);
    return rest.section(QLatin1Char('.'), 0, 0);
}

QList<OrphanedLinkSearch::Found> OrphanedLinkSearch::orphanedLinksInSlip(const Slip& slip, const BoxData& box,
                                                                         bool firstOnly) {
    QList<Found> found;
    if (!slip.text()) return found;
    const RichText& text = *slip.text();
    qsizetype index = 0;
    while (index < text.length()) {
        TextRange range;
        const auto link = text.attributeAt(attr::Link, index, &range);
        // The link's whole run: the same link is not reported once per character.
        const qsizetype next = std::max(index + 1, range.location + range.length);
        const auto target = link ? SlipLinkFollower::linkString(*link) : std::nullopt;
        const auto key = target ? linkedKey(*target) : std::nullopt;
        if (key && !box.slipForKeyExists(*key)) {
            found.append({slip.key(), TextRange{index, next - index}, *target, *key});
            if (firstOnly) break;
        }
        index = next;
    }
    return found;
}

QList<OrphanedLinkSearch::Found> OrphanedLinkSearch::allOrphanedLinks(const BoxData& box) {
    QList<Found> found;
    for (const SlipPtr& slip : slipsInKeyOrder(box)) found.append(orphanedLinksInSlip(*slip, box));
    return found;
}

std::optional<OrphanedLinkSearch::Found> OrphanedLinkSearch::findNextOrphanedSlipLink() {
    box_.storeCurrentSlip();
    UiPort& ui = box_.ui();
    ui.showProgress(QStringLiteral("Searching Orphaned Links"), 0.1);
    const BoxData& data = box_.box();
    const double total = std::max<double>(1.0, data.numberOfLastSlip());
    std::optional<Found> found;
    qsizetype walked = 0;
    for (const SlipPtr& slip : slipsInKeyOrder(data)) {
        const QList<Found> links = orphanedLinksInSlip(*slip, data, true);
        ++walked;
        ui.setProgress(walked / total * 100.0);
        if (!links.isEmpty()) {
            found = links.first();
            break;
        }
    }
    if (!found) {
        ui.hideProgress();
        ui.displayAlert(QStringLiteral("No orphaned slip link in this box"),
                         QStringLiteral("An orphaned slip link is a link to a non-existing slip."));
        return std::nullopt;
    }
    box_.performChangeCurrentSlip(box_.slip(found->slipKey), false);
    // The text view scrolls to the selection it is given.
    box_.editor().setSelectedRangesOfSlipText({found->range});
    ui.hideProgress();
    ui.displayAlert(QStringLiteral("The highlighted text links to slip %1, which is not in this box.").arg(found->linkedKey),
                     QString());
    return found;
}

}  // namespace fendle
