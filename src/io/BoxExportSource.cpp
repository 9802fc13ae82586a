#include "io/BoxExportSource.h"

#include "document/Box.h"
#include "search/ResultTable.h"

namespace fendle {

const BoxData& BoxExportSource::boxData() const { return box_.box(); }

SlipPtr BoxExportSource::currentSlip() const { return box_.currentSlip(); }

QStringList BoxExportSource::searchResultKeys() const { return box_.currentSearchResults().slipIDsForResults(); }

// Each slip's own ranking: the slip-scent list shows only the current slip's.
QStringList BoxExportSource::scentKeys(const Slip& slip) { return box_.slipScentsForSlip(slip).relatedKeys(); }

std::optional<QString> BoxExportSource::fileName() const { return box_.fileName(); }

}  // namespace fendle
