#pragma once
#include "platform/PlistValue.h"

#include <QByteArray>
#include <unordered_set>
#include <vector>

namespace fendle {

// Builds a binary property list object by object. Scalars are encoded as
// they come and equal ones are stored once (hash-based, so the whole build
// stays linear); containers refer to objects by the references this class
// hands out, and may be reserved first and filled in later.
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
    Ref addArray(const std::vector<Ref>& items);
    Ref addDictionary(const std::vector<Ref>& keys, const std::vector<Ref>& values);
    Ref add(const PlistValue& value);

    Ref reserve();
    void setArray(Ref ref, const std::vector<Ref>& items);
    void setDictionary(Ref ref, const std::vector<Ref>& keys, const std::vector<Ref>& values);

    QByteArray finish(Ref top) const;

private:
    enum class Kind : quint8 { Reserved, Scalar, Array, Dictionary };
    struct Entry {
        Kind kind = Kind::Reserved;
        quint32 length = 0;   // scalar bytes, or container element count
        quint64 start = 0;    // into scalars_ or refs_
    };
    struct ScalarHash {
        const BinaryPlistWriter* writer;
        size_t operator()(Ref ref) const;
    };
    struct ScalarEqual {
        const BinaryPlistWriter* writer;
        bool operator()(Ref a, Ref b) const;
    };

    std::vector<Entry> entries_;
    QByteArray scalars_;
    std::vector<Ref> refs_;
    std::unordered_set<Ref, ScalarHash, ScalarEqual> unique_;

    Ref addScalar(quint64 start);
    void appendHead(uchar type, quint64 count);
    void appendInteger(quint64 value, int width);
    void setContainer(Ref ref, Kind kind, const std::vector<Ref>& a, const std::vector<Ref>* b);
    std::string_view scalarBytes(Ref ref) const;
};

QByteArray writeBinaryPlist(const PlistValue& value);

}  // namespace fendle
