#pragma once
#include "model/BoxData.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>

namespace fendle {

// The box file forms as the document sees them: the current keyed form (with
// the mobile exchange form read through it) and the older sequential form.
// The box-files code implements it; the document only chooses the form.
class BoxFileCodec {
public:
    struct Result {
        bool ok = false;
        QString message;
    };
    virtual ~BoxFileCodec() = default;

    // The two dictionaries of an older sequential archive, or none when the
    // bytes are not one.
    virtual std::optional<std::pair<SlipDictionary, SlipDictionary>> readSequential(const QByteArray& data) = 0;
    // Reads the current or exchange form into the store.
    virtual Result loadBoxData(BoxData& box, const QByteArray& data) = 0;
    // The store in its current form / in the older form; the store is given
    // in normal orientation (its own slips under slips()).
    virtual std::optional<QByteArray> dataRepresentation(const BoxData& box) = 0;
    virtual std::optional<QByteArray> sequentialData(const BoxData& box) = 0;
};

}  // namespace fendle
