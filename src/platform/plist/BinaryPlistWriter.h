#pragma once
#include "platform/plist/PlistValue.h"

#include <QByteArray>
#include <span>
#include <string_view>
#include <vector>

namespace fendle {

// Builds a binary property list object by object. Scalars are encoded as
// they come, straight into the output, and equal ones are stored once
// (hash-based, so the whole build stays linear); containers refer to
// objects by the references this class hands out, may be reserved first and
// filled in later, and are written after the scalars once the width of a
// reference is known.
class BinaryPlistWriter {
public:
    using Ref = quint32;

    BinaryPlistWriter();

    Ref addBool(bool value);
    Ref addInteger(qint64 value);
    Ref addUnsigned(quint64 value);
    Ref addReal(double value);
    Ref addDate(double secondsSinceReferenceDate);
    Ref addString(const QString& value);
    Ref addData(const QByteArray& value);
    Ref addUid(quint64 value);
    Ref addArray(std::span<const Ref> items);
    Ref addDictionary(std::span<const Ref> keys, std::span<const Ref> values);
    Ref add(const PlistValue& value);

    Ref reserveObject();
    void setArray(Ref ref, std::span<const Ref> items);
    void setDictionary(Ref ref, std::span<const Ref> keys, std::span<const Ref> values);

    // The finished file; the writer is spent afterwards.
    QByteArray finish(Ref top);

    // A hint of the output size (a box usually saves to about the size it
    // was read from), so that the buffer does not grow by copying.
    void reserve(qsizetype bytes);

private:
    enum class Kind : quint8 { Reserved, Scalar, Array, Dictionary };
    struct Entry {
        Kind kind = Kind::Reserved;
        quint32 length = 0;   // scalar bytes, or container element count
        quint64 start = 0;    // into out_ or refs_
    };
    // One slot of the open-addressing table of unique scalars.
    struct Slot {
        quint32 hash = 0;
        Ref ref = NoRef;
    };

    static constexpr Ref NoRef = ~Ref(0);
    static constexpr qsizetype HeaderSize = 8;

    std::vector<Entry> entries_;
    QByteArray out_;           // header and scalars so far; its size is the capacity
    qsizetype used_ = HeaderSize;
    std::vector<Ref> refs_;
    std::vector<Slot> slots_;  // a power of two, at most half full
    size_t uniqueCount_ = 0;
    std::vector<Ref> uids_;    // UID value → its object, or NoRef

    char* grow(qsizetype bytes);
    Ref addScalar(qsizetype start, bool unique = true);
    void rehash();
    void appendHead(uchar type, quint64 count);
    void appendInteger(quint64 value, int width);
    void setContainer(Ref ref, Kind kind, std::span<const Ref> a, std::span<const Ref> b);
    std::string_view scalarBytes(Ref ref) const;
};

QByteArray writeBinaryPlist(const PlistValue& value);

}  // namespace fendle
