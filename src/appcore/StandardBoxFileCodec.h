#pragma once
#include "document/BoxFileCodec.h"

namespace fendle {

// The box document's file forms, read and written by the box-file code.
class StandardBoxFileCodec : public BoxFileCodec {
public:
    std::optional<std::pair<SlipDictionary, SlipDictionary>> readSequential(const QByteArray& data) override;
    Result loadBoxData(BoxData& box, const QByteArray& data) override;
    std::optional<QByteArray> dataRepresentation(const BoxData& box) override;
    std::optional<QByteArray> sequentialData(const BoxData& box) override;
};

}  // namespace fendle
