#pragma once
#include "platform/richtext/TextAttributes.h"

#include <QByteArray>
#include <QHash>

namespace fendle {

// Attribute dictionaries already decoded from one archive, keyed by the
// encoded form of their entries. The texts of a box repeat the same few
// dictionaries as separate objects whose entries are byte for byte the
// same; decoding them once saves the work, and handing out the same
// (shared) attributes saves the memory of each copy.
class AttributesCache {
public:
    static constexpr qsizetype Capacity = 4096;

    const Attributes* find(const QByteArray& signature) const;
    // Ignored once the cache is full: a file of all different dictionaries
    // must not make it grow without end.
    void insert(const QByteArray& signature, const Attributes& attributes);
    qsizetype size() const { return entries_.size(); }

private:
    QHash<QByteArray, Attributes> entries_;
};

}  // namespace fendle
