#include "platform/BinaryPlistWriter.h"

#include <cstring>
#include <functional>
#include <string_view>

namespace fendle {

namespace {
int widthFor(quint64 value) {
    if (value <= 0xff) return 1;
    if (value <= 0xffff) return 2;
    if (value <= 0xffffffffULL) return 4;
    return 8;
}

int log2Width(int width) { return width == 1 ? 0 : width == 2 ? 1 : width == 4 ? 2 : width == 8 ? 3 : 4; }

void putBigEndian(QByteArray& out, quint64 value, int width) {
    for (int i = width - 1; i >= 0; --i) out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

void putHead(QByteArray& out, uchar type, quint64 count) {
    if (count < 15) {
        out.append(static_cast<char>(type | count));
        return;
    }
    out.append(static_cast<char>(type | 0x0f));
    const int width = widthFor(count);
    out.append(static_cast<char>(0x10 | log2Width(width)));
    putBigEndian(out, count, width);
}
}  // namespace

size_t BinaryPlistWriter::ScalarHash::operator()(Ref ref) const {
    return std::hash<std::string_view>()(writer->scalarBytes(ref));
}

bool BinaryPlistWriter::ScalarEqual::operator()(Ref a, Ref b) const {
    return writer->scalarBytes(a) == writer->scalarBytes(b);
}

BinaryPlistWriter::BinaryPlistWriter() : unique_(64, ScalarHash{this}, ScalarEqual{this}) {}

std::string_view BinaryPlistWriter::scalarBytes(Ref ref) const {
    const Entry& e = entries_[ref];
    return {scalars_.constData() + e.start, e.length};
}

BinaryPlistWriter::Ref BinaryPlistWriter::addScalar(quint64 start) {
    const Ref ref = static_cast<Ref>(entries_.size());
    entries_.push_back({Kind::Scalar, static_cast<quint32>(static_cast<quint64>(scalars_.size()) - start), start});
    auto [it, inserted] = unique_.insert(ref);
    if (inserted) return ref;
    // An equal scalar exists: drop the new bytes and answer the old one.
    entries_.pop_back();
    scalars_.truncate(static_cast<qsizetype>(start));
    return *it;
}

void BinaryPlistWriter::appendHead(uchar type, quint64 count) { putHead(scalars_, type, count); }

void BinaryPlistWriter::appendInteger(quint64 value, int width) { putBigEndian(scalars_, value, width); }

BinaryPlistWriter::Ref BinaryPlistWriter::addBool(bool value) {
    const auto start = static_cast<quint64>(scalars_.size());
    scalars_.append(static_cast<char>(value ? 0x09 : 0x08));
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addInteger(qint64 value) {
    const auto start = static_cast<quint64>(scalars_.size());
    // Small widths are unsigned in the format, so negatives take 8 bytes.
    const int width = value < 0 ? 8 : widthFor(static_cast<quint64>(value));
    scalars_.append(static_cast<char>(0x10 | log2Width(width)));
    appendInteger(static_cast<quint64>(value), width);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addUnsigned(quint64 value) {
    if (value <= static_cast<quint64>(std::numeric_limits<qint64>::max())) return addInteger(static_cast<qint64>(value));
    const auto start = static_cast<quint64>(scalars_.size());
    scalars_.append(static_cast<char>(0x14));
    appendInteger(0, 8);
    appendInteger(value, 8);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addReal(double value) {
    const auto start = static_cast<quint64>(scalars_.size());
    quint64 bits;
    std::memcpy(&bits, &value, 8);
    scalars_.append(static_cast<char>(0x23));
    appendInteger(bits, 8);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addDate(double seconds) {
    const auto start = static_cast<quint64>(scalars_.size());
    quint64 bits;
    std::memcpy(&bits, &seconds, 8);
    scalars_.append(static_cast<char>(0x33));
    appendInteger(bits, 8);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addString(const QString& value) {
    const auto start = static_cast<quint64>(scalars_.size());
    bool ascii = true;
    for (QChar c : value)
        if (c.unicode() > 0x7f) {
            ascii = false;
            break;
        }
    if (ascii) {
        appendHead(0x50, static_cast<quint64>(value.size()));
        scalars_.append(value.toLatin1());
    } else {
        appendHead(0x60, static_cast<quint64>(value.size()));
        const qsizetype at = scalars_.size();
        scalars_.resize(at + 2 * value.size());
        char* out = scalars_.data() + at;
        for (qsizetype i = 0; i < value.size(); ++i) {
            const char16_t u = value.at(i).unicode();
            out[2 * i] = static_cast<char>(u >> 8);
            out[2 * i + 1] = static_cast<char>(u & 0xff);
        }
    }
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addData(const QByteArray& value) {
    const auto start = static_cast<quint64>(scalars_.size());
    appendHead(0x40, static_cast<quint64>(value.size()));
    scalars_.append(value);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addUid(quint64 value) {
    const auto start = static_cast<quint64>(scalars_.size());
    const int width = widthFor(value);
    scalars_.append(static_cast<char>(0x80 | (width - 1)));
    appendInteger(value, width);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::reserve() {
    entries_.push_back({});
    return static_cast<Ref>(entries_.size() - 1);
}

void BinaryPlistWriter::setContainer(Ref ref, Kind kind, const std::vector<Ref>& a, const std::vector<Ref>* b) {
    Entry& e = entries_[ref];
    e.kind = kind;
    e.start = refs_.size();
    e.length = static_cast<quint32>(a.size());
    refs_.insert(refs_.end(), a.begin(), a.end());
    if (b) refs_.insert(refs_.end(), b->begin(), b->end());
}

void BinaryPlistWriter::setArray(Ref ref, const std::vector<Ref>& items) { setContainer(ref, Kind::Array, items, nullptr); }

void BinaryPlistWriter::setDictionary(Ref ref, const std::vector<Ref>& keys, const std::vector<Ref>& values) {
    setContainer(ref, Kind::Dictionary, keys, &values);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addArray(const std::vector<Ref>& items) {
    const Ref ref = reserve();
    setArray(ref, items);
    return ref;
}

BinaryPlistWriter::Ref BinaryPlistWriter::addDictionary(const std::vector<Ref>& keys, const std::vector<Ref>& values) {
    const Ref ref = reserve();
    setDictionary(ref, keys, values);
    return ref;
}

BinaryPlistWriter::Ref BinaryPlistWriter::add(const PlistValue& value) {
    switch (value.type()) {
    case PlistValue::Type::Boolean: return addBool(value.toBool());
    case PlistValue::Type::Integer:
        return value.isUnsigned() ? addUnsigned(static_cast<quint64>(value.toInteger())) : addInteger(value.toInteger());
    case PlistValue::Type::Real: return addReal(value.toReal());
    case PlistValue::Type::Date: return addDate(value.dateSeconds());
    case PlistValue::Type::Data: return addData(value.toData());
    case PlistValue::Type::String: return addString(value.toString());
    case PlistValue::Type::Uid: return addUid(value.toUid());
    case PlistValue::Type::Array: {
        std::vector<Ref> items;
        for (const PlistValue& item : value.array()) items.push_back(add(item));
        return addArray(items);
    }
    case PlistValue::Type::Dictionary: {
        std::vector<Ref> keys, values;
        for (const auto& [k, v] : value.dictionary()) {
            keys.push_back(addString(k));
            values.push_back(add(v));
        }
        return addDictionary(keys, values);
    }
    }
    return addBool(false);
}

QByteArray BinaryPlistWriter::finish(Ref top) const {
    const int refSize = widthFor(entries_.size());
    QByteArray out;
    out.reserve(scalars_.size() + static_cast<qsizetype>(refs_.size()) * refSize + 64 +
                static_cast<qsizetype>(entries_.size()) * 4);
    out.append("bplist00", 8);
    std::vector<quint64> offsets(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        offsets[i] = static_cast<quint64>(out.size());
        switch (e.kind) {
        case Kind::Reserved: out.append(static_cast<char>(0x08)); break;  // never filled: false
        case Kind::Scalar: out.append(scalars_.constData() + e.start, e.length); break;
        case Kind::Array:
        case Kind::Dictionary: {
            putHead(out, e.kind == Kind::Array ? 0xA0 : 0xD0, e.length);
            const quint64 n = e.kind == Kind::Array ? e.length : 2ull * e.length;
            for (quint64 j = 0; j < n; ++j) putBigEndian(out, refs_[e.start + j], refSize);
            break;
        }
        }
    }
    const auto tableOffset = static_cast<quint64>(out.size());
    const int offsetSize = widthFor(tableOffset);
    for (quint64 offset : offsets) putBigEndian(out, offset, offsetSize);
    out.append(QByteArray(6, '\0'));
    out.append(static_cast<char>(offsetSize));
    out.append(static_cast<char>(refSize));
    putBigEndian(out, entries_.size(), 8);
    putBigEndian(out, top, 8);
    putBigEndian(out, tableOffset, 8);
    return out;
}

QByteArray writeBinaryPlist(const PlistValue& value) {
    BinaryPlistWriter writer;
    const auto top = writer.add(value);
    return writer.finish(top);
}

}  // namespace fendle
