#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

struct UConverter;

namespace fendle {

// One ICU converter, opened by its ICU name.
class IcuConverter {
public:
    // nullopt when ICU knows no converter of that name.
    static std::optional<IcuConverter> open(const char* name);

    // Bytes to text. With strict set, the first malformed or unmapped byte
    // sequence makes the result nullopt; otherwise it becomes U+FFFD.
    std::optional<QString> toUnicode(QByteArrayView bytes, bool strict) const;

    // Text to bytes. Every character the encoding cannot represent is written
    // as "?" and its UTF-16 index is appended to unencodable.
    QByteArray fromUnicode(const QString& text, QList<qsizetype>* unencodable) const;

private:
    struct Closer {
        void operator()(UConverter* converter) const;
    };
    explicit IcuConverter(UConverter* converter) : converter_(converter) {}
    std::unique_ptr<UConverter, Closer> converter_;
};

}  // namespace fendle
