#include "platform/typedstream/TypedStreamWriter.h"

#include "platform/typedstream/TypedStreamTypes.h"

#include <QHash>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace fendle {

namespace {
constexpr char NewTag = char(0x84), NilTag = char(0x85), EndTag = char(0x86), RealTag = char(0x83);
constexpr qint64 LabelBase = 110;

class Writer {
public:
    QByteArray out;

    Writer() {
        out.append(char(4));
        integer(11);
        out.append("streamtyped", 11);
        integer(1000);
    }

    void group(const TypedGroup& g) {
        shared(g.types);
        const auto items = parseTypeString(g.types);
        if (!items) return;
        for (size_t i = 0; i < items->size(); ++i)
            value((*items)[i], i < g.values.size() ? g.values[i] : TypedValue());
    }

private:
    QHash<QByteArray, qint64> strings_;
    QHash<QByteArray, qint64> classes_;
    QHash<const TypedObject*, qint64> objects_;
    qint64 objectCount_ = 0;

    template <typename T>
    void little(T v) {
        char b[sizeof(T)];
        qToLittleEndian(v, b);
        out.append(b, sizeof(T));
    }
    void integer(qint64 v) {
        if (v >= -110 && v <= 127) out.append(static_cast<char>(v));
        else if (v >= -32767 && v <= 32767) {
            out.append(char(0x81));
            little(static_cast<qint16>(v));
        } else if (v >= INT32_MIN && v <= INT32_MAX) {
            out.append(char(0x82));
            little(static_cast<qint32>(v));
        } else {
            out.append(char(0x87));
            little(v);
        }
    }
    void shared(const QByteArray& s) {
        if (const auto found = strings_.constFind(s); found != strings_.constEnd()) {
            integer(*found - LabelBase);
            return;
        }
        out.append(NewTag);
        integer(s.size());
        out.append(s);
        strings_.insert(s, strings_.size());
    }
    void classChain(const std::vector<TypedClass>& chain) {
        for (const TypedClass& cls : chain) {
            if (const auto found = classes_.constFind(cls.name); found != classes_.constEnd()) {
                integer(*found - LabelBase);
                return;
            }
            out.append(NewTag);
            shared(cls.name);
            integer(cls.version);
            classes_.insert(cls.name, objectCount_++);
        }
        out.append(NilTag);
    }
    void object(const TypedObject* o) {
        if (!o) {
            out.append(NilTag);
            return;
        }
        // An object met again is written as a label, so shared subtrees
        // cost their size once.
        if (const auto found = objects_.constFind(o); found != objects_.constEnd()) {
            integer(*found - LabelBase);
            return;
        }
        out.append(NewTag);
        objects_.insert(o, objectCount_++);
        classChain(o->classes);
        for (const TypedGroup& g : o->groups) group(g);
        out.append(EndTag);
    }
    void real(char code, double v) {
        if (code == 'f') {
            if (std::floor(v) == v && v >= -2147483646.0 && v <= 2147483645.0) return integer(static_cast<qint64>(v));
            out.append(RealTag);
            const float f = static_cast<float>(v);
            quint32 bits;
            std::memcpy(&bits, &f, 4);
            little(bits);
            return;
        }
        const float asFloat = static_cast<float>(v);
        if (std::isfinite(v) && std::fabs(asFloat) < 2.1e9f &&
            static_cast<double>(static_cast<qint64>(asFloat)) == v)
            return integer(static_cast<qint64>(asFloat));
        out.append(RealTag);
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        little(bits);
    }
    void value(const TypeItem& item, const TypedValue& v) {
        switch (item.code) {
        case 'c': case 'C': case 'B': out.append(static_cast<char>(v.integer)); break;
        case 'I': case 'L': case 'S': integer(static_cast<qint32>(static_cast<quint32>(v.integer))); break;
        case 's': case 'i': case 'l': case 'q': case 'Q': integer(v.integer); break;
        case 'f': case 'd': real(item.code, v.kind == TypedValue::Kind::Real ? v.real : static_cast<double>(v.integer)); break;
        case '@': object(v.object.get()); break;
        case '*':
            if (v.kind == TypedValue::Kind::Nil) out.append(NilTag);
            else {
                out.append(NewTag);
                ++objectCount_;
                shared(v.bytes);
            }
            break;
        case '+':
            if (v.kind == TypedValue::Kind::Nil) out.append(NilTag);
            else {
                integer(v.bytes.size());
                out.append(v.bytes);
            }
            break;
        case '[': {
            QByteArray bytes = v.bytes.left(item.count);
            bytes.resize(item.count, '\0');
            out.append(bytes);
            break;
        }
        case '#': classChain({TypedClass{v.bytes, 0}}); break;
        case '%': case ':':
            if (v.kind == TypedValue::Kind::Nil) out.append(NilTag);
            else shared(v.bytes);
            break;
        default: break;
        }
    }
};
}  // namespace

QByteArray writeTypedStream(const std::vector<TypedGroup>& groups) {
    Writer w;
    for (const TypedGroup& g : groups) w.group(g);
    return w.out;
}

}  // namespace fendle
