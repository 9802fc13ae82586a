#include "scents/SlipScents.h"

#include "model/BoxData.h"

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

quint32 scentStrength(const Slip& slip, const Slip& related) {
    const QStringList relatedPieces = splitCommaDelimitedString(related.keywordsString());
    quint32 strength = 0;
    for (const QString& piece : splitCommaDelimitedString(slip.keywordsString()))
        if (!piece.isEmpty()) strength += static_cast<quint32>(relatedPieces.count(piece));
    return strength;
}

QList<Scent> rankedSlipScents(const Slip& slip, const KeywordScent& index) {
    return index.rankSlipsForPieces(splitCommaDelimitedString(slip.keywordsString()), BoxData::makeKey(slip.slipID()));
}

SlipScentList slipScentsForSlip(const Slip& slip, const KeywordScent& index) {
    const QString ownKey = BoxData::makeKey(slip.slipID());
    return SlipScentList(slipScentHeading(ownKey), index.keys(),
                         index.rankedPositionsForPieces(splitCommaDelimitedString(slip.keywordsString()), ownKey));
}

}  // namespace fendle
