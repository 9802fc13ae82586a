#pragma once
#include "io/ExportSource.h"
#include "scents/KeywordScent.h"

#include <memory>

namespace fendle::cli {

// A box file as export reads it: the slip last shown in a window is the
// current one, the results are the slips a search found.
class CliExportSource : public ExportSource {
public:
    CliExportSource(const BoxData& box, const QString& fileName, SlipPtr current, QStringList results)
        : box_(box), fileName_(fileName), current_(std::move(current)), results_(std::move(results)) {}

    const BoxData& boxData() const override { return box_; }
    SlipPtr currentSlip() const override { return current_; }
    QStringList searchResultKeys() const override { return results_; }
    QStringList scentKeys(const Slip& slip) override;
    std::optional<QString> fileName() const override { return fileName_; }

private:
    const BoxData& box_;
    QString fileName_;
    SlipPtr current_;
    QStringList results_;
    // Built on the first slip whose scents are asked for.
    std::unique_ptr<KeywordScent> index_;
};

}  // namespace fendle::cli
