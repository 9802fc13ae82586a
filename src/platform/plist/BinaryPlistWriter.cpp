#include "platform/plist/BinaryPlistWriter.h"

#include "platform/files/LargeBuffers.h"

#include <QtEndian>
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

quint32 hashBytes(std::string_view bytes) { return static_cast<quint32>(std::hash<std::string_view>()(bytes)); }
}  // namespace

BinaryPlistWriter::BinaryPlistWriter() : out_(QByteArray("bplist00", HeaderSize)), slots_(1024) {}

void BinaryPlistWriter::reserve(qsizetype bytes) {
    if (bytes <= out_.size()) return;
    out_.resize(bytes);
    // Archives run to about one object per 40 bytes and a reference per 20;
    // room reserved and never touched costs no memory.
    entries_.reserve(static_cast<size_t>(bytes / 32));
    refs_.reserve(static_cast<size_t>(bytes / 16));
    adviseHugePages(out_.data(), static_cast<size_t>(out_.size()));
    adviseHugePages(entries_.data(), entries_.capacity() * sizeof(Entry));
    adviseHugePages(refs_.data(), refs_.capacity() * sizeof(Ref));
}

char* BinaryPlistWriter::grow(qsizetype bytes) {
    if (used_ + bytes > out_.size()) out_.resize(std::max(used_ + bytes, 2 * out_.size()));
    char* at = out_.data() + used_;
    used_ += bytes;
    return at;
}

std::string_view BinaryPlistWriter::scalarBytes(Ref ref) const {
    const Entry& e = entries_[ref];
    return {out_.constData() + e.start, e.length};
}

void BinaryPlistWriter::rehash() {
    std::vector<Slot> bigger(2 * slots_.size());
    const size_t mask = bigger.size() - 1;
    for (const Slot& slot : slots_) {
        if (slot.ref == NoRef) continue;
        size_t i = slot.hash & mask;
        while (bigger[i].ref != NoRef) i = (i + 1) & mask;
        bigger[i] = slot;
    }
    slots_ = std::move(bigger);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addScalar(qsizetype start, bool unique) {
    const auto length = static_cast<quint32>(used_ - start);
    // Long values (texts) practically never repeat; hashing them costs more
    // than storing the rare duplicate.
    if (length <= 64 && unique) {
        const std::string_view bytes(out_.constData() + start, length);
        const quint32 hash = hashBytes(bytes);
        const size_t mask = slots_.size() - 1;
        size_t i = hash & mask;
        for (; slots_[i].ref != NoRef; i = (i + 1) & mask) {
            if (slots_[i].hash == hash && scalarBytes(slots_[i].ref) == bytes) {
                used_ = start;  // an equal scalar exists: drop the new bytes
                return slots_[i].ref;
            }
        }
        slots_[i] = {hash, static_cast<Ref>(entries_.size())};
        if (++uniqueCount_ * 2 > slots_.size()) rehash();
    }
    entries_.push_back({Kind::Scalar, length, static_cast<quint64>(start)});
    return static_cast<Ref>(entries_.size() - 1);
}

void BinaryPlistWriter::appendHead(uchar type, quint64 count) {
    if (count < 15) {
        *grow(1) = static_cast<char>(type | count);
        return;
    }
    *grow(1) = static_cast<char>(type | 0x0f);
    const int width = widthFor(count);
    *grow(1) = static_cast<char>(0x10 | log2Width(width));
    appendInteger(count, width);
}

void BinaryPlistWriter::appendInteger(quint64 value, int width) {
    char* out = grow(width);
    switch (width) {
    case 1: *out = static_cast<char>(value); return;
    case 2: qToBigEndian(static_cast<quint16>(value), out); return;
    case 4: qToBigEndian(static_cast<quint32>(value), out); return;
    case 8: qToBigEndian(value, out); return;
    default: break;
    }
    for (int i = 0; i < width; ++i) out[i] = static_cast<char>((value >> (8 * (width - 1 - i))) & 0xff);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addBool(bool value) {
    const qsizetype start = used_;
    *grow(1) = static_cast<char>(value ? 0x09 : 0x08);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addInteger(qint64 value) {
    const qsizetype start = used_;
    // Small widths are unsigned in the format, so negatives take 8 bytes.
    const int width = value < 0 ? 8 : widthFor(static_cast<quint64>(value));
    *grow(1) = static_cast<char>(0x10 | log2Width(width));
    appendInteger(static_cast<quint64>(value), width);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addUnsigned(quint64 value) {
    if (value <= static_cast<quint64>(std::numeric_limits<qint64>::max())) return addInteger(static_cast<qint64>(value));
    const qsizetype start = used_;
    *grow(1) = static_cast<char>(0x14);
    appendInteger(0, 8);
    appendInteger(value, 8);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addReal(double value) {
    const qsizetype start = used_;
    quint64 bits;
    std::memcpy(&bits, &value, 8);
    *grow(1) = static_cast<char>(0x23);
    appendInteger(bits, 8);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addDate(double seconds) {
    const qsizetype start = used_;
    quint64 bits;
    std::memcpy(&bits, &seconds, 8);
    *grow(1) = static_cast<char>(0x33);
    appendInteger(bits, 8);
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addString(const QString& value) {
    const qsizetype start = used_;
    const qsizetype n = value.size();
    const char16_t* in = reinterpret_cast<const char16_t*>(value.constData());
    // Copy as ASCII and look at every unit on the way (one pass the compiler
    // can vectorise); only a string that was not ASCII after all is redone.
    appendHead(0x50, static_cast<quint64>(n));
    char* out = grow(n);
    char16_t seen = 0;
    for (qsizetype i = 0; i < n; ++i) {
        seen |= in[i];
        out[i] = static_cast<char>(in[i]);
    }
    if (seen > 0x7f) {
        used_ = start;
        appendHead(0x60, static_cast<quint64>(n));
        out = grow(2 * n);
        for (qsizetype i = 0; i < n; ++i) qToBigEndian(static_cast<quint16>(in[i]), out + 2 * i);
    }
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addData(const QByteArray& value) {
    const qsizetype start = used_;
    appendHead(0x40, static_cast<quint64>(value.size()));
    if (!value.isEmpty()) std::memcpy(grow(value.size()), value.constData(), static_cast<size_t>(value.size()));
    return addScalar(start);
}

BinaryPlistWriter::Ref BinaryPlistWriter::addUid(quint64 value) {
    // Every reference of an archive is a UID: look them up by value directly.
    if (value < (1u << 26)) {
        if (value >= uids_.size()) uids_.resize(std::max<size_t>(value + 1, uids_.size() * 2), NoRef);
        if (uids_[value] != NoRef) return uids_[value];
    }
    const qsizetype start = used_;
    const int width = widthFor(value);
    *grow(1) = static_cast<char>(0x80 | (width - 1));
    appendInteger(value, width);
    const bool cached = value < uids_.size();
    const Ref ref = addScalar(start, !cached);
    if (cached) uids_[value] = ref;
    return ref;
}

BinaryPlistWriter::Ref BinaryPlistWriter::reserveObject() {
    entries_.push_back({});
    return static_cast<Ref>(entries_.size() - 1);
}

void BinaryPlistWriter::setContainer(Ref ref, Kind kind, std::span<const Ref> a, std::span<const Ref> b) {
    Entry& e = entries_[ref];
    e.kind = kind;
    e.start = refs_.size();
    e.length = static_cast<quint32>(a.size());
    refs_.insert(refs_.end(), a.begin(), a.end());
    refs_.insert(refs_.end(), b.begin(), b.end());
}

void BinaryPlistWriter::setArray(Ref ref, std::span<const Ref> items) { setContainer(ref, Kind::Array, items, {}); }

void BinaryPlistWriter::setDictionary(Ref ref, std::span<const Ref> keys, std::span<const Ref> values) {
    setContainer(ref, Kind::Dictionary, keys, values.first(std::min(keys.size(), values.size())));
}

BinaryPlistWriter::Ref BinaryPlistWriter::addArray(std::span<const Ref> items) {
    const Ref ref = reserveObject();
    setArray(ref, items);
    return ref;
}

BinaryPlistWriter::Ref BinaryPlistWriter::addDictionary(std::span<const Ref> keys, std::span<const Ref> values) {
    const Ref ref = reserveObject();
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

QByteArray BinaryPlistWriter::finish(Ref top) {
    const int refSize = widthFor(entries_.size());
    // Containers (and reserved objects never filled) after the scalars.
    qsizetype containerBytes = 0;
    for (const Entry& e : entries_) {
        if (e.kind == Kind::Scalar) continue;
        const quint64 n = e.kind == Kind::Dictionary ? 2ull * e.length : e.length;
        containerBytes += 1 + (e.length < 15 ? 0 : 1 + widthFor(e.length)) + static_cast<qsizetype>(n) * refSize;
    }
    const qsizetype tableOffset = used_ + containerBytes;
    const int offsetSize = widthFor(static_cast<quint64>(tableOffset));
    reserve(tableOffset + static_cast<qsizetype>(entries_.size()) * offsetSize + 32);
    for (Entry& e : entries_) {
        if (e.kind == Kind::Scalar) continue;
        const qsizetype at = used_;
        if (e.kind == Kind::Reserved) {
            *grow(1) = static_cast<char>(0x08);  // never filled: false
        } else {
            appendHead(e.kind == Kind::Array ? 0xA0 : 0xD0, e.length);
            const quint64 n = e.kind == Kind::Array ? e.length : 2ull * e.length;
            for (quint64 j = 0; j < n; ++j) appendInteger(refs_[e.start + j], refSize);
        }
        e.start = static_cast<quint64>(at);
    }
    for (const Entry& e : entries_) appendInteger(e.start, offsetSize);
    std::memset(grow(6), 0, 6);
    *grow(1) = static_cast<char>(offsetSize);
    *grow(1) = static_cast<char>(refSize);
    appendInteger(entries_.size(), 8);
    appendInteger(top, 8);
    appendInteger(static_cast<quint64>(tableOffset), 8);
    out_.truncate(used_);
    if (out_.capacity() - out_.size() > out_.size() / 8) out_.squeeze();
    return std::move(out_);
}

QByteArray writeBinaryPlist(const PlistValue& value) {
    BinaryPlistWriter writer;
    const auto top = writer.add(value);
    return writer.finish(top);
}

}  // namespace fendle
