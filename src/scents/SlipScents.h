#pragma once
#include "model/Slip.h"
#include "scents/KeywordScent.h"
#include "scents/SlipScentList.h"

namespace fendle {

// The slips related to a slip through shared keywords, strongest first. A
// related slip scores one point for every pair of one of the slip's keyword
// pieces and one occurrence of that keyword on it; the slip never scents
// itself. The index must be current for the box.
SlipScentList slipScentsForSlip(const Slip& slip, const KeywordScent& index);
// The same ranking with the strength of each related slip.
QList<Scent> rankedSlipScents(const Slip& slip, const KeywordScent& index);

// The strength of one related slip's scent, counted as the ranking counts it.
quint32 scentStrength(const Slip& slip, const Slip& related);

// The slip's key in the bold system font at 13 points.
RichText slipScentHeading(const QString& key);

}  // namespace fendle
