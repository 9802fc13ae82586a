#pragma once
#include "io/ExportSource.h"

namespace fendle {

class Box;

// A box window's box as printing and export read it.
class BoxExportSource : public ExportSource {
public:
    explicit BoxExportSource(Box& box) : box_(box) {}
    const BoxData& boxData() const override;
    SlipPtr currentSlip() const override;
    QStringList searchResultKeys() const override;
    QStringList scentKeys(const Slip& slip) override;
    std::optional<QString> fileName() const override;

private:
    Box& box_;
};

}  // namespace fendle
