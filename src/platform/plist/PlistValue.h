#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace fendle {

// One value of a property list, binary or XML, including the UID type keyed
// archives use. Containers are shared on copy; dictionaries keep their order.
class PlistValue {
public:
    enum class Type { Boolean, Integer, Real, Date, Data, String, Uid, Array, Dictionary };
    using Array = std::vector<PlistValue>;
    using Dictionary = std::vector<std::pair<QString, PlistValue>>;

    PlistValue() : PlistValue(false) {}
    PlistValue(bool b) : type_(Type::Boolean), integer_(b) {}
    PlistValue(int i) : type_(Type::Integer), integer_(i) {}
    PlistValue(qint64 i) : type_(Type::Integer), integer_(i) {}
    PlistValue(double r) : type_(Type::Real), real_(r) {}
    PlistValue(const QString& s) : type_(Type::String), string_(s) {}
    PlistValue(const char* s) : type_(Type::String), string_(QString::fromUtf8(s)) {}
    PlistValue(const QByteArray& d) : type_(Type::Data), data_(d) {}
    PlistValue(const QDateTime& date);
    PlistValue(Array array);
    PlistValue(Dictionary dictionary);
    static PlistValue uid(quint64 index);
    static PlistValue dateFromSeconds(double secondsSinceReferenceDate);
    // Integers at or above 2^63 (stored as 16-byte integers) keep their bits.
    static PlistValue unsignedInteger(quint64 value);

    Type type() const { return type_; }
    bool isUnsigned() const { return unsigned_; }
    bool toBool() const { return integer_ != 0; }
    qint64 toInteger() const { return integer_; }
    quint64 toUid() const { return static_cast<quint64>(integer_); }
    double toReal() const { return real_; }
    const QString& toString() const { return string_; }
    const QByteArray& toData() const { return data_; }
    // Dates as seconds since 2001-01-01 00:00:00 UTC, as stored.
    double dateSeconds() const { return real_; }
    QDateTime toDate() const;
    const Array& array() const;
    const Dictionary& dictionary() const;
    Array& mutableArray();
    Dictionary& mutableDictionary();
    const PlistValue* value(const QString& key) const;

    friend bool operator==(const PlistValue& a, const PlistValue& b);

private:
    Type type_;
    bool unsigned_ = false;
    qint64 integer_ = 0;
    double real_ = 0;
    QString string_;
    QByteArray data_;
    std::shared_ptr<Array> array_;
    std::shared_ptr<Dictionary> dictionary_;
};

}  // namespace fendle
