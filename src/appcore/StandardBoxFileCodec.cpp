#include "appcore/StandardBoxFileCodec.h"

#include "model/BoxFile.h"

namespace fendle {

std::optional<std::pair<SlipDictionary, SlipDictionary>> StandardBoxFileCodec::readSequential(const QByteArray& data) {
    BoxData read;
    if (!BoxFile::loadOlderForm(read, data)) return std::nullopt;
    return std::make_pair(read.slips(), read.deletedSlips());
}

BoxFileCodec::Result StandardBoxFileCodec::loadBoxData(BoxData& box, const QByteArray& data) {
    const auto loaded = BoxFile::loadBoxData(box, data);
    return {loaded.ok(), loaded.ok() ? QString() : loaded.error()};
}

std::optional<QByteArray> StandardBoxFileCodec::dataRepresentation(const BoxData& box) {
    return BoxFile::dataRepresentation(box);
}

std::optional<QByteArray> StandardBoxFileCodec::sequentialData(const BoxData& box) {
    return BoxFile::olderFormRepresentation(box);
}

}  // namespace fendle
