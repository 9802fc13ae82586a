#pragma once
#include "platform/richtext/TextRange.h"
#include "model/BoxData.h"

#include <QList>
#include <optional>

namespace fendle {

class Box;

// Internal slip links whose slip is not in the active collection (while
// the box's own slips are shown, a slip in the trash counts as missing).
class OrphanedLinkSearch {
public:
    struct Found {
        QString slipKey;    // the slip whose text holds the link
        TextRange range;    // the linked text
        QString target;     // the link's address
        QString linkedKey;  // the missing slip
        friend bool operator==(const Found&, const Found&) = default;
    };

    // The key an internal link names; none for any other address.
    static std::optional<QString> linkedKey(const QString& target);
    // The orphaned links of one slip's text, in text order.
    static QList<Found> orphanedLinksInSlip(const Slip& slip, const BoxData& box, bool firstOnly = false);
    // Every orphaned link of the box, slips walked by key.
    static QList<Found> allOrphanedLinks(const BoxData& box);

    explicit OrphanedLinkSearch(Box& box) : box_(box) {}
    // Walks from the first slip every time; shows and selects the first found.
    std::optional<Found> findNextOrphanedSlipLink();

private:
    Box& box_;
};

}  // namespace fendle
