#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

namespace fendle {

// Plain-text encodings by the numbers the other platform gives them; import
// and export offer exactly these.
namespace encoding {
inline constexpr int ASCII = 1;
inline constexpr int NEXTSTEP = 2;
inline constexpr int JapaneseEUC = 3;
inline constexpr int UTF8 = 4;
inline constexpr int ISOLatin1 = 5;
inline constexpr int Symbol = 6;
inline constexpr int NonLossyASCII = 7;
inline constexpr int ShiftJIS = 8;
inline constexpr int ISOLatin2 = 9;
inline constexpr int Unicode = 10;  // UTF-16
inline constexpr int WindowsCP1251 = 11;
inline constexpr int WindowsCP1252 = 12;
inline constexpr int WindowsCP1253 = 13;
inline constexpr int WindowsCP1254 = 14;
inline constexpr int WindowsCP1250 = 15;
inline constexpr int ISO2022JP = 21;
inline constexpr int MacOSRoman = 30;
}  // namespace encoding

struct EncodedText {
    QByteArray bytes;
    // UTF-16 indexes of the characters the encoding cannot represent; each
    // stands as "?" in bytes, so a caller decides whether that is acceptable.
    QList<qsizetype> unencodable;
    bool isLossless() const { return unencodable.isEmpty(); }
};

class TextEncoding {
public:
    static const QList<int>& supported();
    static bool isSupported(int encoding);
    // The title the encoding menus show, e.g. "MacOS Roman".
    static QString title(int encoding);

    // An unsupported number writes nothing and reports every character.
    static EncodedText encode(const QString& text, int encoding);
    // nullopt (with a message) when the bytes are not valid in the encoding.
    static std::optional<QString> decode(QByteArrayView bytes, int encoding, QString* error = nullptr);
};

}  // namespace fendle
