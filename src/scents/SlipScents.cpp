#include "scents/SlipScents.h"

#include "model/BoxData.h"
#include "scents/ScentArray.h"

namespace fendle {

RichText slipScentHeading(const QString& key) {
    FontAttribute font;
    font.family = QStringLiteral("System");
    font.pointSize = 13.0;
    font.bold = true;
    Attributes attributes;
    attributes.set(attr::Font, font);
    return RichText(key, attributes);
}

SlipScentList slipScentsForSlip(const Slip& slip, const KeywordScent& index) {
    const QHash<QString, QStringList>& keywordsInBox = index.keywordsInBox();
    ScentArray scents(64);
    for (const QString& piece : splitCommaDelimitedString(slip.keywordsString())) {
        if (piece.isEmpty()) continue;
        const auto carriers = keywordsInBox.constFind(piece);
        if (carriers == keywordsInBox.cend()) continue;
        for (const QString& key : *carriers) {
            if (scents.containsObject(key))
                scents.incrementStrengthOfObject(key);
            else
                scents.addObject(Scent::scentWithObject(key, 1));
        }
    }
    scents.sortByStrength();
    QStringList related = scents.simpleScentArray();
    const QString ownKey = BoxData::makeKey(slip.slipID());
    if (!related.isEmpty()) related.removeAll(ownKey);
    return SlipScentList(slipScentHeading(ownKey), std::move(related));
}

}  // namespace fendle
