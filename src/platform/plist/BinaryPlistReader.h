#pragma once
#include "platform/plist/PlistValue.h"
#include "platform/system/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <optional>

namespace fendle {

// Reads a binary property list ("bplist00") straight from its bytes: objects
// are located through the offset table on demand, so nothing of the file is
// copied until a caller asks for a value. Every offset, length and reference
// is checked against the file before it is used.
class BinaryPlistReader {
public:
    struct Object {
        PlistValue::Type type = PlistValue::Type::Boolean;
        quint64 count = 0;       // elements, bytes, UTF-16 units, or the integer width
        qsizetype payload = 0;   // offset of the first payload byte
        bool utf16 = false;      // strings only
    };

    static bool hasSignature(const QByteArray& bytes);
    static Result<BinaryPlistReader> open(QByteArray bytes);

    quint64 objectCount() const { return objectCount_; }
    quint64 topObject() const { return topObject_; }
    const QByteArray& bytes() const { return bytes_; }

    Result<Object> object(quint64 index) const;

    qint64 integer(const Object& object) const;
    bool isBigUnsigned(const Object& object) const;
    double real(const Object& object) const;
    QString string(const Object& object) const;
    QByteArray data(const Object& object) const;
    quint64 uid(const Object& object) const;
    // The encoded bytes after the marker and count: equal for two objects
    // exactly when they hold the same scalar or refer to the same objects.
    QByteArrayView payload(const Object& object) const;
    // Arrays: element i. Dictionaries: keys are 0..count-1, values count..2count-1.
    quint64 ref(const Object& container, quint64 i) const;
    // Whether the object at index is a string equal to key (no copy made).
    bool isString(quint64 index, QLatin1StringView key) const;
    // The value index under key in a dictionary whose keys are strings.
    std::optional<quint64> lookup(const Object& dictionary, QLatin1StringView key) const;

    // The whole value below index as a tree, with nesting and size capped so
    // that shared or cyclic references cannot blow it up.
    Result<PlistValue> toValue(quint64 index) const;
    // The same, charging every node to a budget the caller shares between calls.
    Result<PlistValue> toValue(quint64 index, quint64& budget) const;

private:
    QByteArray bytes_;
    const uchar* data_ = nullptr;
    quint64 objectCount_ = 0;
    quint64 topObject_ = 0;
    qsizetype offsetTable_ = 0;
    int offsetSize_ = 0;
    int refSize_ = 0;

    quint64 readUnsigned(qsizetype at, int width) const;
    Result<PlistValue> toValue(quint64 index, int depth, quint64& budget) const;
};

// Convenience: the whole file as a value tree.
Result<PlistValue> readBinaryPlist(const QByteArray& bytes);

}  // namespace fendle
