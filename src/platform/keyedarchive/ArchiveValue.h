#pragma once
#include "platform/richtext/RichText.h"
#include "platform/richtext/TextAttributes.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <any>
#include <memory>
#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

namespace fendle {

class ArchiveValue;

// The null object (NSNull), as opposed to nil.
struct ArchiveNull {
    friend bool operator==(const ArchiveNull&, const ArchiveNull&) = default;
};

// A URL as archived: a relative part and, optionally, the base it is relative to.
struct ArchiveUrl {
    std::optional<QString> base;
    QString relative;
    QString absolute() const;
    friend bool operator==(const ArchiveUrl&, const ArchiveUrl&) = default;
};

struct ArchiveList {
    bool isMutable = false;
    std::vector<ArchiveValue> items;
};

struct ArchiveMap {
    bool isMutable = false;
    std::vector<std::pair<ArchiveValue, ArchiveValue>> entries;
};

// An object of a class that a layer above this one knows (a slip): the
// class name and whatever that layer decoded it into.
struct ArchiveCustom {
    QString className;
    std::any object;
};

// One decoded archive object. Absence (nil) is the empty state.
class ArchiveValue {
public:
    using List = std::shared_ptr<const ArchiveList>;
    using Map = std::shared_ptr<const ArchiveMap>;
    using Storage = std::variant<std::monostate, bool, qint64, double, QString, QByteArray, QDateTime, ArchiveNull,
                                 ArchiveUrl, List, Map, RichText, FontAttribute, ColorAttribute,
                                 ParagraphStyleAttribute, AttachmentAttribute, OpaqueAttribute, ArchiveCustom>;

    ArchiveValue() = default;
    template <typename T>
        requires(!std::is_same_v<std::decay_t<T>, ArchiveValue> && std::is_constructible_v<Storage, T>)
    ArchiveValue(T value) : storage_(std::move(value)) {}
    ArchiveValue(int value) : storage_(static_cast<qint64>(value)) {}
    ArchiveValue(const char*) = delete;
    static ArchiveValue list(std::vector<ArchiveValue> items, bool isMutable = false);
    static ArchiveValue map(std::vector<std::pair<ArchiveValue, ArchiveValue>> entries, bool isMutable = false);

    bool isNil() const { return std::holds_alternative<std::monostate>(storage_); }
    template <typename T>
    const T* as() const { return std::get_if<T>(&storage_); }
    const Storage& storage() const { return storage_; }

    // Conveniences with the usual conversions; nullopt when the type does not fit.
    std::optional<QString> toString() const;
    std::optional<qint64> toInteger() const;
    std::optional<double> toReal() const;
    const ArchiveList* toList() const;
    const ArchiveMap* toMap() const;
    // The value under a string key of a map.
    const ArchiveValue* value(const QString& key) const;

private:
    Storage storage_;
};

}  // namespace fendle
