#include "platform/typedstream/TypedStreamReader.h"

#include "platform/typedstream/TypedStreamTypes.h"

#include <cstring>

namespace fendle {

namespace {
constexpr int MaxDepth = 128;
constexpr uchar Long2 = 0x81, Long4 = 0x82, RealTag = 0x83, NewTag = 0x84, NilTag = 0x85, EndTag = 0x86, Long8 = 0x87;
constexpr qint64 LabelBase = 110;

QString damaged(const char* why) { return QStringLiteral("damaged typed stream: %1").arg(QLatin1String(why)); }

class Parser {
public:
    explicit Parser(const QByteArray& bytes) : b_(bytes) {}

    Result<TypedStream> parse() {
        using R = Result<TypedStream>;
        TypedStream stream;
        uchar version = 0;
        if (!byte(version) || version != 4) return R::failure(damaged("unsupported streamer version"));
        qint64 length = 0;
        if (!integer(length) || length != 11 || !has(11)) return R::failure(damaged("bad signature"));
        const QByteArray signature = b_.mid(at_, 11);
        at_ += 11;
        if (signature == "typedstream") bigEndian_ = true;
        else if (signature != "streamtyped") return R::failure(damaged("bad signature"));
        stream.bigEndian = bigEndian_;
        if (!integer(stream.systemVersion)) return R::failure(damaged("truncated header"));
        while (at_ < b_.size()) {
            TypedGroup group;
            if (!readGroup(group, 0)) return R::failure(error_.isEmpty() ? damaged("truncated data") : error_);
            stream.groups.push_back(std::move(group));
        }
        return stream;
    }

private:
    enum class EntryKind { Object, Class, CString };
    struct Entry {
        EntryKind kind;
        std::shared_ptr<TypedObject> object;  // objects; null while still being read
        std::vector<TypedClass> chain;        // classes: this class and its superclasses
        QByteArray text;                      // C strings
    };

    const QByteArray& b_;
    qsizetype at_ = 0;
    bool bigEndian_ = false;
    std::vector<QByteArray> strings_;
    std::vector<Entry> objects_;
    QString error_;

    bool fail(const char* why) {
        if (error_.isEmpty()) error_ = damaged(why);
        return false;
    }
    bool has(qsizetype n) const { return n >= 0 && b_.size() - at_ >= n; }
    bool byte(uchar& out) {
        if (!has(1)) return false;
        out = static_cast<uchar>(b_[at_++]);
        return true;
    }
    bool peek(uchar& out) const {
        if (!has(1)) return false;
        out = static_cast<uchar>(b_[at_]);
        return true;
    }
    quint64 number(int width) {
        quint64 v = 0;
        for (int i = 0; i < width; ++i) {
            const quint64 byteValue = static_cast<uchar>(b_[at_ + (bigEndian_ ? i : width - 1 - i)]);
            v = (v << 8) | byteValue;
        }
        at_ += width;
        return v;
    }
    bool integerAfter(uchar head, qint64& out) {
        switch (head) {
        case Long2:
            if (!has(2)) return false;
            out = static_cast<qint16>(number(2));
            return true;
        case Long4:
            if (!has(4)) return false;
            out = static_cast<qint32>(number(4));
            return true;
        case Long8:
            if (!has(8)) return false;
            out = static_cast<qint64>(number(8));
            return true;
        default:
            if (head >= 0x80 && head <= 0x91) return fail("unexpected tag");
            out = static_cast<qint8>(head);
            return true;
        }
    }
    bool integer(qint64& out) {
        uchar head = 0;
        return byte(head) && integerAfter(head, out);
    }
    bool real(char code, double& out) {
        uchar head = 0;
        if (!byte(head)) return false;
        if (head != RealTag) {
            qint64 v = 0;
            if (!integerAfter(head, v)) return false;
            out = static_cast<double>(v);
            return true;
        }
        if (code == 'f') {
            if (!has(4)) return false;
            const quint32 bits = static_cast<quint32>(number(4));
            float f;
            std::memcpy(&f, &bits, 4);
            out = f;
        } else {
            if (!has(8)) return false;
            const quint64 bits = number(8);
            std::memcpy(&out, &bits, 8);
        }
        return true;
    }
    // Shared strings: new, nil or a label into the string table.
    bool sharedString(QByteArray& out, bool& isNil) {
        uchar head = 0;
        if (!byte(head)) return false;
        isNil = head == NilTag;
        if (isNil) return true;
        if (head == NewTag) {
            qint64 length = 0;
            if (!integer(length) || length < 0 || !has(length)) return fail("string runs past the end");
            out = b_.mid(at_, length);
            at_ += length;
            strings_.push_back(out);
            return true;
        }
        qint64 label = 0;
        if (!integerAfter(head, label)) return false;
        const qint64 index = label + LabelBase;
        if (index < 0 || index >= static_cast<qint64>(strings_.size())) return fail("string label out of range");
        out = strings_[static_cast<size_t>(index)];
        return true;
    }
    bool objectLabel(uchar head, Entry*& entry) {
        qint64 label = 0;
        if (!integerAfter(head, label)) return false;
        const qint64 index = label + LabelBase;
        if (index < 0 || index >= static_cast<qint64>(objects_.size())) return fail("object label out of range");
        entry = &objects_[static_cast<size_t>(index)];
        return true;
    }
    bool classChain(std::vector<TypedClass>& chain) {
        for (;;) {
            if (chain.size() > 64) return fail("class chain too long");
            uchar head = 0;
            if (!byte(head)) return false;
            if (head == NilTag) return true;
            if (head == NewTag) {
                TypedClass cls;
                bool nil = false;
                if (!sharedString(cls.name, nil) || nil || !integer(cls.version)) return fail("damaged class");
                const size_t index = objects_.size();
                objects_.push_back({EntryKind::Class, nullptr, {}, {}});
                const size_t first = chain.size();
                chain.push_back(cls);
                if (!classChain(chain)) return false;
                objects_[index].chain.assign(chain.begin() + static_cast<qsizetype>(first), chain.end());
                return true;
            }
            Entry* entry = nullptr;
            if (!objectLabel(head, entry)) return false;
            if (entry->kind != EntryKind::Class) return fail("label of a non-class where a class belongs");
            chain.insert(chain.end(), entry->chain.begin(), entry->chain.end());
            return true;
        }
    }
    bool object(TypedValue& out, int depth) {
        if (depth > MaxDepth) return fail("objects nested too deeply");
        uchar head = 0;
        if (!byte(head)) return false;
        if (head == NilTag) {
            out = TypedValue::ofObject(nullptr);
            return true;
        }
        if (head != NewTag) {
            Entry* entry = nullptr;
            if (!objectLabel(head, entry)) return false;
            if (entry->kind != EntryKind::Object) return fail("label of a non-object where an object belongs");
            if (!entry->object) return fail("an object refers to itself");
            out = TypedValue::ofObject(entry->object);
            return true;
        }
        const size_t index = objects_.size();
        objects_.push_back({EntryKind::Object, nullptr, {}, {}});
        auto result = std::make_shared<TypedObject>();
        if (!classChain(result->classes)) return false;
        if (result->classes.empty()) return fail("object without class");
        for (;;) {
            uchar next = 0;
            if (!peek(next)) return fail("object without end");
            if (next == EndTag) {
                ++at_;
                break;
            }
            TypedGroup group;
            if (!readGroup(group, depth + 1)) return false;
            result->groups.push_back(std::move(group));
        }
        objects_[index].object = result;
        out = TypedValue::ofObject(result);
        return true;
    }
    bool cString(TypedValue& out) {
        uchar head = 0;
        if (!byte(head)) return false;
        if (head == NilTag) {
            out = TypedValue();
            return true;
        }
        if (head == NewTag) {
            const size_t index = objects_.size();
            objects_.push_back({EntryKind::CString, nullptr, {}, {}});
            QByteArray text;
            bool nil = false;
            if (!sharedString(text, nil) || nil) return fail("damaged C string");
            objects_[index].text = text;
            out = TypedValue::ofCString(text);
            return true;
        }
        Entry* entry = nullptr;
        if (!objectLabel(head, entry)) return false;
        if (entry->kind != EntryKind::CString) return fail("label of a non-string where a C string belongs");
        out = TypedValue::ofCString(entry->text);
        return true;
    }
    bool value(const TypeItem& item, TypedValue& out, int depth) {
        switch (item.code) {
        case 'c': case 'C': case 'B': {
            uchar c = 0;
            if (!byte(c)) return false;
            out = TypedValue::ofChar(item.code == 'c' ? static_cast<qint8>(c) : c);
            return true;
        }
        case 's': case 'S': case 'i': case 'I': case 'l': case 'L': case 'q': case 'Q': {
            qint64 v = 0;
            if (!integer(v)) return false;
            if ((item.code == 'I' || item.code == 'L' || item.code == 'S') && v < 0)
                v += item.code == 'S' ? 65536 : (qint64(1) << 32);
            out = TypedValue::ofInteger(v);
            return true;
        }
        case 'f': case 'd': {
            double d = 0;
            if (!real(item.code, d)) return false;
            out = TypedValue::ofReal(d);
            return true;
        }
        case '@': return object(out, depth);
        case '*': return cString(out);
        case '+': {
            uchar head = 0;
            if (!byte(head)) return false;
            if (head == NilTag) {
                out = TypedValue();
                return true;
            }
            qint64 length = 0;
            if (!integerAfter(head, length) || length < 0 || !has(length)) return fail("string runs past the end");
            out = TypedValue::ofString(b_.mid(at_, length));
            at_ += length;
            return true;
        }
        case '[':
            if (!has(item.count)) return fail("byte array runs past the end");
            out = TypedValue::ofBytes(b_.mid(at_, item.count));
            at_ += item.count;
            return true;
        case '#': {
            std::vector<TypedClass> chain;
            if (!classChain(chain)) return false;
            out = TypedValue::ofString(chain.empty() ? QByteArray() : chain.front().name);
            return true;
        }
        case '%': case ':': {
            QByteArray text;
            bool nil = false;
            if (!sharedString(text, nil)) return false;
            out = nil ? TypedValue() : TypedValue::ofString(text);
            return true;
        }
        default: return fail("unsupported type code");
        }
    }
    bool readGroup(TypedGroup& group, int depth) {
        bool nil = false;
        if (!sharedString(group.types, nil)) return false;
        if (nil) return fail("group without type string");
        const auto items = parseTypeString(group.types);
        if (!items) {
            error_ = items.error();
            return false;
        }
        group.values.reserve(std::min<size_t>(items->size(), 1024));
        for (const TypeItem& item : *items) {
            TypedValue v;
            if (!value(item, v, depth)) return false;
            group.values.push_back(std::move(v));
        }
        return true;
    }
};
}  // namespace

bool hasTypedStreamSignature(const QByteArray& bytes) {
    return bytes.size() >= 13 && bytes[0] == 4 && bytes[1] == 11 &&
           (bytes.mid(2, 11) == "streamtyped" || bytes.mid(2, 11) == "typedstream");
}

Result<TypedStream> readTypedStream(const QByteArray& bytes) { return Parser(bytes).parse(); }

}  // namespace fendle
