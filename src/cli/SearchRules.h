#pragma once
#include "cli/Command.h"
#include "model/BoxData.h"

#include <QVariantList>
#include <optional>

namespace fendle::cli {

// Archived search rules from a JSON file (or "-", standard input): an
// array of {"RowType", "Values", "Subrules"} records; at most 16 MB.
// Prints what is wrong through fail() and answers nullopt.
std::optional<QVariantList> readSearchRules(const QString& path, Io& io);

// The slips of the box the rules (or, without rules, the keyword) find.
QList<SlipPtr> searchBox(const BoxData& box, const std::optional<QVariantList>& rules, const QString& keyword = {});

}  // namespace fendle::cli
