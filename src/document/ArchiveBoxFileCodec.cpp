#include "document/ArchiveBoxFileCodec.h"

#include "model/BoxFile.h"
#include "platform/typedstream/TypedStreamReader.h"

namespace fendle {

ArchiveBoxFileCodec& ArchiveBoxFileCodec::shared() {
    static ArchiveBoxFileCodec codec;
    return codec;
}

std::optional<std::pair<SlipDictionary, SlipDictionary>> ArchiveBoxFileCodec::readSequential(const QByteArray& data) {
    if (!hasTypedStreamSignature(data)) return std::nullopt;
    BoxData read;
    if (!BoxFile::loadOlderForm(read, data)) return std::nullopt;
    return std::pair{read.slips(), read.deletedSlips()};
}

BoxFileCodec::Result ArchiveBoxFileCodec::loadBoxData(BoxData& box, const QByteArray& data) {
    const auto form = BoxFile::loadBoxData(box, data);
    return {form.ok(), form.ok() ? QString() : form.error()};
}

std::optional<QByteArray> ArchiveBoxFileCodec::dataRepresentation(const BoxData& box) {
    return BoxFile::dataRepresentation(box);
}

std::optional<QByteArray> ArchiveBoxFileCodec::sequentialData(const BoxData& box) {
    return BoxFile::olderFormRepresentation(box);
}

}  // namespace fendle
