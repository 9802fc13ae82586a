#include "platform/plist/PlistValue.h"

#include "platform/system/DateUtils.h"

namespace fendle {

namespace {
const PlistValue::Array emptyArray;
const PlistValue::Dictionary emptyDictionary;
}  // namespace

PlistValue::PlistValue(const QDateTime& date) : type_(Type::Date), real_(secondsSinceReferenceDate(date)) {}

PlistValue::PlistValue(Array array) : type_(Type::Array), array_(std::make_shared<Array>(std::move(array))) {}

PlistValue::PlistValue(Dictionary dictionary)
    : type_(Type::Dictionary), dictionary_(std::make_shared<Dictionary>(std::move(dictionary))) {}

PlistValue PlistValue::uid(quint64 index) {
    PlistValue v;
    v.type_ = Type::Uid;
    v.integer_ = static_cast<qint64>(index);
    return v;
}

PlistValue PlistValue::dateFromSeconds(double seconds) {
    PlistValue v(seconds);
    v.type_ = Type::Date;
    return v;
}

PlistValue PlistValue::unsignedInteger(quint64 value) {
    PlistValue v(static_cast<qint64>(value));
    v.unsigned_ = value > static_cast<quint64>(std::numeric_limits<qint64>::max());
    return v;
}

QDateTime PlistValue::toDate() const { return dateFromReferenceSeconds(real_); }

const PlistValue::Array& PlistValue::array() const { return array_ ? *array_ : emptyArray; }

const PlistValue::Dictionary& PlistValue::dictionary() const { return dictionary_ ? *dictionary_ : emptyDictionary; }

PlistValue::Array& PlistValue::mutableArray() {
    if (!array_) array_ = std::make_shared<Array>();
    else if (array_.use_count() > 1) array_ = std::make_shared<Array>(*array_);
    return *array_;
}

PlistValue::Dictionary& PlistValue::mutableDictionary() {
    if (!dictionary_) dictionary_ = std::make_shared<Dictionary>();
    else if (dictionary_.use_count() > 1) dictionary_ = std::make_shared<Dictionary>(*dictionary_);
    return *dictionary_;
}

const PlistValue* PlistValue::value(const QString& key) const {
    for (const auto& [k, v] : dictionary())
        if (k == key) return &v;
    return nullptr;
}

bool operator==(const PlistValue& a, const PlistValue& b) {
    if (a.type_ != b.type_) return false;
    switch (a.type_) {
    case PlistValue::Type::Boolean:
    case PlistValue::Type::Integer:
    case PlistValue::Type::Uid: return a.integer_ == b.integer_ && a.unsigned_ == b.unsigned_;
    case PlistValue::Type::Real:
    case PlistValue::Type::Date: return a.real_ == b.real_;
    case PlistValue::Type::String: return a.string_ == b.string_;
    case PlistValue::Type::Data: return a.data_ == b.data_;
    case PlistValue::Type::Array: return a.array() == b.array();
    case PlistValue::Type::Dictionary: return a.dictionary() == b.dictionary();
    }
    return false;
}

}  // namespace fendle
