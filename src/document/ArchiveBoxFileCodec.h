#pragma once
#include "document/BoxFileCodec.h"

namespace fendle {

// The box file forms of BoxFile behind the document's codec seam: the keyed
// archive (current and exchange form) and the older typed stream.
class ArchiveBoxFileCodec : public BoxFileCodec {
public:
    // The one instance a box uses unless it is given another.
    static ArchiveBoxFileCodec& shared();

    std::optional<std::pair<SlipDictionary, SlipDictionary>> readSequential(const QByteArray& data) override;
    Result loadBoxData(BoxData& box, const QByteArray& data) override;
    std::optional<QByteArray> dataRepresentation(const BoxData& box) override;
    std::optional<QByteArray> sequentialData(const BoxData& box) override;
};

}  // namespace fendle
