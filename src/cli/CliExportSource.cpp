#include "cli/CliExportSource.h"

#include "scents/SlipScents.h"

namespace fendle::cli {

QStringList CliExportSource::scentKeys(const Slip& slip) {
    if (!index_) index_ = std::make_unique<KeywordScent>(box_.keywordsDictionary(), false);
    return slipScentsForSlip(slip, *index_).relatedKeys();
}

}  // namespace fendle::cli
