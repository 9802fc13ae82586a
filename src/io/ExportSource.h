#pragma once
#include "model/BoxData.h"

#include <QStringList>
#include <optional>

namespace fendle {

// What printing and export read from a box: its slips, the one shown, the
// search results in table order and each slip's scents. Reading never
// changes the box.
class ExportSource {
public:
    virtual ~ExportSource() = default;
    virtual const BoxData& boxData() const = 0;
    virtual SlipPtr currentSlip() const = 0;
    virtual QStringList searchResultKeys() const = 0;
    // The related slips of this slip in rank order.
    virtual QStringList scentKeys(const Slip& slip) = 0;
    // The box file; none for an unsaved box.
    virtual std::optional<QString> fileName() const = 0;
};

}  // namespace fendle
