#pragma once
#include <QByteArray>
#include <memory>
#include <vector>

namespace fendle {

struct TypedObject;

// One value of a typed stream group, as its type code says.
struct TypedValue {
    enum class Kind { Integer, Real, Char, Bytes, String, CString, Object, Nil };
    Kind kind = Kind::Nil;
    qint64 integer = 0;
    double real = 0;
    QByteArray bytes;  // Bytes ([Nc]), String (+), CString (*)
    std::shared_ptr<const TypedObject> object;

    static TypedValue ofInteger(qint64 v) { return {Kind::Integer, v, 0, {}, {}}; }
    static TypedValue ofReal(double v) { return {Kind::Real, 0, v, {}, {}}; }
    static TypedValue ofChar(qint64 v) { return {Kind::Char, v, 0, {}, {}}; }
    static TypedValue ofString(QByteArray b) { return {Kind::String, 0, 0, std::move(b), {}}; }
    static TypedValue ofCString(QByteArray b) { return {Kind::CString, 0, 0, std::move(b), {}}; }
    static TypedValue ofBytes(QByteArray b) { return {Kind::Bytes, 0, 0, std::move(b), {}}; }
    static TypedValue ofObject(std::shared_ptr<const TypedObject> o) {
        return {o ? Kind::Object : Kind::Nil, 0, 0, {}, std::move(o)};
    }
};

// A type string and its values.
struct TypedGroup {
    QByteArray types;
    std::vector<TypedValue> values;
};

struct TypedClass {
    QByteArray name;
    qint64 version = 0;
};

// A literal object: its class chain (most derived first) and the groups its
// encoder wrote. Objects the reader does not understand stay in this form.
struct TypedObject {
    std::vector<TypedClass> classes;
    std::vector<TypedGroup> groups;
    const QByteArray& className() const {
        static const QByteArray none;
        return classes.empty() ? none : classes.front().name;
    }
};

// A whole stream: header facts and its top-level groups.
struct TypedStream {
    bool bigEndian = false;
    qint64 systemVersion = 1000;
    std::vector<TypedGroup> groups;
};

}  // namespace fendle
