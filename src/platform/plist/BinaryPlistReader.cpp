#include "platform/plist/BinaryPlistReader.h"

#include <QtEndian>
#include <cstring>

namespace fendle {

namespace {
constexpr qsizetype HeaderSize = 8;
constexpr qsizetype TrailerSize = 32;
constexpr int MaxDepth = 512;

QString corrupt(const QString& what) { return QStringLiteral("damaged property list: %1").arg(what); }
}  // namespace

bool BinaryPlistReader::hasSignature(const QByteArray& bytes) {
    return bytes.size() >= HeaderSize && std::memcmp(bytes.constData(), "bplist0", 7) == 0;
}

quint64 BinaryPlistReader::readUnsigned(qsizetype at, int width) const {
    switch (width) {
    case 1: return data_[at];
    case 2: return qFromBigEndian<quint16>(data_ + at);
    case 4: return qFromBigEndian<quint32>(data_ + at);
    case 8: return qFromBigEndian<quint64>(data_ + at);
    default: break;
    }
    quint64 value = 0;
    for (int i = 0; i < width; ++i) value = (value << 8) | data_[at + i];
    return value;
}

Result<BinaryPlistReader> BinaryPlistReader::open(QByteArray bytes) {
    if (!hasSignature(bytes)) return Result<BinaryPlistReader>::failure(QStringLiteral("not a binary property list"));
    if (bytes.size() < HeaderSize + TrailerSize + 1) return Result<BinaryPlistReader>::failure(corrupt("too short"));
    BinaryPlistReader r;
    r.bytes_ = std::move(bytes);
    r.data_ = reinterpret_cast<const uchar*>(r.bytes_.constData());
    const qsizetype trailer = r.bytes_.size() - TrailerSize;
    r.offsetSize_ = r.data_[trailer + 6];
    r.refSize_ = r.data_[trailer + 7];
    r.objectCount_ = r.readUnsigned(trailer + 8, 8);
    r.topObject_ = r.readUnsigned(trailer + 16, 8);
    const quint64 tableOffset = r.readUnsigned(trailer + 24, 8);
    if (r.offsetSize_ < 1 || r.offsetSize_ > 8 || r.refSize_ < 1 || r.refSize_ > 8)
        return Result<BinaryPlistReader>::failure(corrupt("bad integer sizes in trailer"));
    if (r.objectCount_ == 0 || r.topObject_ >= r.objectCount_)
        return Result<BinaryPlistReader>::failure(corrupt("bad object count"));
    if (tableOffset < static_cast<quint64>(HeaderSize + 1) || tableOffset > static_cast<quint64>(trailer))
        return Result<BinaryPlistReader>::failure(corrupt("offset table outside the file"));
    const quint64 room = static_cast<quint64>(trailer) - tableOffset;
    if (r.objectCount_ > room / static_cast<quint64>(r.offsetSize_))
        return Result<BinaryPlistReader>::failure(corrupt("offset table runs past its end"));
    r.offsetTable_ = static_cast<qsizetype>(tableOffset);
    return r;
}

Result<BinaryPlistReader::Object> BinaryPlistReader::object(quint64 index) const {
    using R = Result<Object>;
    if (index >= objectCount_) return R::failure(corrupt("reference out of range"));
    const quint64 offset = readUnsigned(offsetTable_ + static_cast<qsizetype>(index) * offsetSize_, offsetSize_);
    const quint64 end = static_cast<quint64>(offsetTable_);
    if (offset < static_cast<quint64>(HeaderSize) || offset >= end) return R::failure(corrupt("object offset out of range"));
    qsizetype at = static_cast<qsizetype>(offset);
    const uchar marker = data_[at++];
    const int high = marker >> 4;
    const int low = marker & 0x0f;
    Object o;
    auto fits = [&](quint64 count, quint64 unit) {
        return unit == 0 || count <= (end - static_cast<quint64>(at)) / unit;
    };
    auto readCount = [&]() -> bool {
        if (low != 0x0f) {
            o.count = static_cast<quint64>(low);
            return true;
        }
        if (static_cast<quint64>(at) >= end) return false;
        const uchar intMarker = data_[at++];
        if ((intMarker >> 4) != 1 || (intMarker & 0x0f) > 3) return false;
        const int width = 1 << (intMarker & 0x0f);
        if (!fits(1, static_cast<quint64>(width))) return false;
        o.count = readUnsigned(at, width);
        at += width;
        return true;
    };
    switch (high) {
    case 0x0:
        if (marker != 0x08 && marker != 0x09) return R::failure(corrupt("unsupported object type"));
        o.type = PlistValue::Type::Boolean;
        o.count = marker == 0x09;
        break;
    case 0x1:
        if (low > 4) return R::failure(corrupt("bad integer width"));
        o.type = PlistValue::Type::Integer;
        o.count = 1u << low;
        if (!fits(1, o.count)) return R::failure(corrupt("truncated integer"));
        break;
    case 0x2:
        if (low != 2 && low != 3) return R::failure(corrupt("bad real width"));
        o.type = PlistValue::Type::Real;
        o.count = 1u << low;
        if (!fits(1, o.count)) return R::failure(corrupt("truncated real"));
        break;
    case 0x3:
        if (marker != 0x33) return R::failure(corrupt("bad date"));
        o.type = PlistValue::Type::Date;
        o.count = 8;
        if (!fits(1, 8)) return R::failure(corrupt("truncated date"));
        break;
    case 0x4:
    case 0x5:
    case 0x6:
        o.type = high == 0x4 ? PlistValue::Type::Data : PlistValue::Type::String;
        o.utf16 = high == 0x6;
        if (!readCount() || !fits(o.count, o.utf16 ? 2 : 1)) return R::failure(corrupt("truncated string or data"));
        break;
    case 0x8:
        o.type = PlistValue::Type::Uid;
        o.count = static_cast<quint64>(low) + 1;
        if (o.count > 8 || !fits(1, o.count)) return R::failure(corrupt("bad UID"));
        break;
    case 0xA:
    case 0xD:
        o.type = high == 0xA ? PlistValue::Type::Array : PlistValue::Type::Dictionary;
        if (!readCount() || !fits(o.count, static_cast<quint64>(refSize_) * (high == 0xD ? 2 : 1)))
            return R::failure(corrupt("truncated container"));
        break;
    default: return R::failure(corrupt("unsupported object type"));
    }
    o.payload = at;
    return o;
}

qint64 BinaryPlistReader::integer(const Object& o) const {
    if (o.type == PlistValue::Type::Boolean) return static_cast<qint64>(o.count);
    if (o.type == PlistValue::Type::Real) return static_cast<qint64>(real(o));
    if (o.type != PlistValue::Type::Integer) return 0;
    if (o.count == 16) return static_cast<qint64>(readUnsigned(o.payload + 8, 8));
    const quint64 raw = readUnsigned(o.payload, static_cast<int>(o.count));
    return static_cast<qint64>(raw);  // 1-, 2- and 4-byte integers are unsigned, 8-byte ones signed
}

bool BinaryPlistReader::isBigUnsigned(const Object& o) const {
    return o.type == PlistValue::Type::Integer && o.count == 16 && readUnsigned(o.payload, 8) == 0 &&
           integer(o) < 0;
}

double BinaryPlistReader::real(const Object& o) const {
    if (o.type == PlistValue::Type::Integer || o.type == PlistValue::Type::Boolean) return static_cast<double>(integer(o));
    if (o.type != PlistValue::Type::Real && o.type != PlistValue::Type::Date) return 0;
    if (o.count == 4) {
        const quint32 bits = static_cast<quint32>(readUnsigned(o.payload, 4));
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
    const quint64 bits = readUnsigned(o.payload, 8);
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

QString BinaryPlistReader::string(const Object& o) const {
    if (o.type != PlistValue::Type::String) return {};
    const auto n = static_cast<qsizetype>(o.count);
    if (!o.utf16) return QString::fromLatin1(bytes_.constData() + o.payload, n);
    QString s(n, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(s.data());
    const uchar* in = data_ + o.payload;
    for (qsizetype i = 0; i < n; ++i) out[i] = static_cast<char16_t>((in[2 * i] << 8) | in[2 * i + 1]);
    return s;
}

QByteArray BinaryPlistReader::data(const Object& o) const {
    if (o.type != PlistValue::Type::Data) return {};
    return bytes_.mid(o.payload, static_cast<qsizetype>(o.count));
}

quint64 BinaryPlistReader::uid(const Object& o) const {
    return o.type == PlistValue::Type::Uid ? readUnsigned(o.payload, static_cast<int>(o.count)) : 0;
}

QByteArrayView BinaryPlistReader::payload(const Object& o) const {
    quint64 length = 0;
    switch (o.type) {
    case PlistValue::Type::Boolean: break;
    case PlistValue::Type::String: length = o.utf16 ? 2 * o.count : o.count; break;
    case PlistValue::Type::Array: length = o.count * static_cast<quint64>(refSize_); break;
    case PlistValue::Type::Dictionary: length = 2 * o.count * static_cast<quint64>(refSize_); break;
    default: length = o.count; break;  // integers, reals, dates, UIDs: their width; data: its bytes
    }
    return QByteArrayView(bytes_.constData() + o.payload, static_cast<qsizetype>(length));
}

quint64 BinaryPlistReader::ref(const Object& container, quint64 i) const {
    return readUnsigned(container.payload + static_cast<qsizetype>(i) * refSize_, refSize_);
}

bool BinaryPlistReader::isString(quint64 index, QLatin1StringView key) const {
    // Fast path for the short ASCII keys archives are made of: look at the
    // marker byte only, without taking the whole object apart.
    if (index < objectCount_ && key.size() < 15) {
        const quint64 offset = readUnsigned(offsetTable_ + static_cast<qsizetype>(index) * offsetSize_, offsetSize_);
        if (offset >= static_cast<quint64>(HeaderSize) && offset + 1 + static_cast<quint64>(key.size()) <= static_cast<quint64>(offsetTable_)) {
            const uchar marker = data_[offset];
            if ((marker >> 4) == 0x5 && (marker & 0x0f) != 0x0f)
                return (marker & 0x0f) == key.size() &&
                       std::memcmp(data_ + offset + 1, key.data(), static_cast<size_t>(key.size())) == 0;
        }
    }
    const auto o = object(index);
    if (!o || o->type != PlistValue::Type::String) return false;
    if (o->count != static_cast<quint64>(key.size())) return false;
    if (!o->utf16) return std::memcmp(data_ + o->payload, key.data(), static_cast<size_t>(key.size())) == 0;
    for (qsizetype i = 0; i < key.size(); ++i)
        if (data_[o->payload + 2 * i] != 0 || data_[o->payload + 2 * i + 1] != static_cast<uchar>(key[i].toLatin1()))
            return false;
    return true;
}

std::optional<quint64> BinaryPlistReader::lookup(const Object& dictionary, QLatin1StringView key) const {
    if (dictionary.type != PlistValue::Type::Dictionary) return std::nullopt;
    for (quint64 i = 0; i < dictionary.count; ++i)
        if (isString(ref(dictionary, i), key)) return ref(dictionary, dictionary.count + i);
    return std::nullopt;
}

Result<PlistValue> BinaryPlistReader::toValue(quint64 index) const {
    // Shared references count each time they are expanded; a file cannot
    // expand to more nodes than a small multiple of its size.
    quint64 budget = 4 * static_cast<quint64>(bytes_.size()) + 1024;
    return toValue(index, 0, budget);
}

Result<PlistValue> BinaryPlistReader::toValue(quint64 index, quint64& budget) const {
    return toValue(index, 0, budget);
}

Result<PlistValue> BinaryPlistReader::toValue(quint64 index, int depth, quint64& budget) const {
    using R = Result<PlistValue>;
    if (depth > MaxDepth) return R::failure(corrupt("nested too deeply"));
    if (budget == 0) return R::failure(corrupt("too many shared references"));
    --budget;
    const auto o = object(index);
    if (!o) return R::failure(o.error());
    switch (o->type) {
    case PlistValue::Type::Boolean: return PlistValue(o->count != 0);
    case PlistValue::Type::Integer:
        return isBigUnsigned(*o) ? PlistValue::unsignedInteger(static_cast<quint64>(integer(*o))) : PlistValue(integer(*o));
    case PlistValue::Type::Real: return PlistValue(real(*o));
    case PlistValue::Type::Date: return PlistValue::dateFromSeconds(real(*o));
    case PlistValue::Type::Data: return PlistValue(data(*o));
    case PlistValue::Type::String: return PlistValue(string(*o));
    case PlistValue::Type::Uid: return PlistValue::uid(uid(*o));
    case PlistValue::Type::Array: {
        PlistValue::Array items;
        items.reserve(static_cast<size_t>(std::min<quint64>(o->count, 4096)));
        for (quint64 i = 0; i < o->count; ++i) {
            auto item = toValue(ref(*o, i), depth + 1, budget);
            if (!item) return item;
            items.push_back(std::move(*item));
        }
        return PlistValue(std::move(items));
    }
    case PlistValue::Type::Dictionary: {
        PlistValue::Dictionary entries;
        entries.reserve(static_cast<size_t>(std::min<quint64>(o->count, 4096)));
        for (quint64 i = 0; i < o->count; ++i) {
            auto key = toValue(ref(*o, i), depth + 1, budget);
            if (!key) return key;
            if (key->type() != PlistValue::Type::String) return R::failure(corrupt("dictionary key is not a string"));
            auto value = toValue(ref(*o, o->count + i), depth + 1, budget);
            if (!value) return value;
            entries.emplace_back(key->toString(), std::move(*value));
        }
        return PlistValue(std::move(entries));
    }
    }
    return R::failure(corrupt("unsupported object type"));
}

Result<PlistValue> readBinaryPlist(const QByteArray& bytes) {
    auto reader = BinaryPlistReader::open(bytes);
    if (!reader) return Result<PlistValue>::failure(reader.error());
    return reader->toValue(reader->topObject());
}

}  // namespace fendle
