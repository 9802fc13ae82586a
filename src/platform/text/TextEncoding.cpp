#include "platform/text/TextEncoding.h"

#include "platform/text/IcuConverter.h"
#include "platform/text/SingleByteTables.h"

#include <QtEndian>

namespace fendle {
namespace {

struct EncodingInfo {
    int number;
    const char* title;
    const char* icuName;  // nullptr: handled by our own code
};

const EncodingInfo infos[] = {
    {encoding::MacOSRoman, "MacOS Roman", "macintosh"},
    {encoding::ASCII, "7-bit ASCII encoding", "US-ASCII"},
    {encoding::NEXTSTEP, "8-bit ASCII with NEXTSTEP extensions", nullptr},
    {encoding::UTF8, "UTF-8 (8 bit Unicode)", "UTF-8"},
    {encoding::Unicode, "UTF-16 (16 bit Unicode)", nullptr},
    {encoding::ISOLatin1, "ISO Latin 1", "ISO-8859-1"},
    {encoding::Symbol, "Adobe Symbol encoding", nullptr},
    {encoding::NonLossyASCII, "Non-lossy ASCII", nullptr},
    {encoding::ShiftJIS, "Shift-JIS", "Shift_JIS"},
    {encoding::ISOLatin2, "ISO Latin 2", "ISO-8859-2"},
    {encoding::WindowsCP1251, "Microsoft Windows codepage 1251", "windows-1251"},
    {encoding::WindowsCP1252, "Microsoft Windows codepage 1252 (WinLatin1)", "windows-1252"},
    {encoding::WindowsCP1253, "Microsoft Windows codepage 1253", "windows-1253"},
    {encoding::WindowsCP1254, "Microsoft Windows codepage 1254", "windows-1254"},
    {encoding::WindowsCP1250, "Microsoft Windows codepage 1250 (WinLatin2)", "windows-1250"},
    {encoding::JapaneseEUC, "EUC for Japanese text", "EUC-JP"},
    {encoding::ISO2022JP, "ISO 2022 Japanese encoding for email", "ISO-2022-JP"},
};

const EncodingInfo* find(int number) {
    for (const EncodingInfo& info : infos)
        if (info.number == number) return &info;
    return nullptr;
}

void setError(QString* error, const QString& message) {
    if (error) *error = message;
}

// Non-lossy ASCII: ASCII as itself, a backslash doubled, Latin-1 characters
// as three octal digits and everything else as \uXXXX.
EncodedText encodeNonLossy(const QString& text) {
    EncodedText result;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            result.bytes.append("\\\\");
        else if (u < 0x80)
            result.bytes.append(static_cast<char>(u));
        else if (u < 0x100)
            result.bytes.append(QStringLiteral("\\%1").arg(u, 3, 8, QLatin1Char('0')).toLatin1());
        else
            result.bytes.append(QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0')).toLatin1());
    }
    return result;
}

std::optional<QString> decodeNonLossy(QByteArrayView bytes, QString* error) {
    QString text;
    auto digitsAt = [&](qsizetype at, int count, int base) -> std::optional<int> {
        if (at + count > bytes.size()) return std::nullopt;
        bool ok = false;
        const int value = QByteArray(bytes.data() + at, count).toInt(&ok, base);
        return ok ? std::optional<int>(value) : std::nullopt;
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80) {
            setError(error, QStringLiteral("byte %1 is not ASCII").arg(i));
            return std::nullopt;
        }
        if (b != '\\' || i + 1 >= bytes.size()) {
            text.append(QChar(b));
            continue;
        }
        const char next = bytes[i + 1];
        if (next == '\\') {
            text.append(u'\\');
            ++i;
        } else if (next == 'u') {
            const std::optional<int> value = digitsAt(i + 2, 4, 16);
            if (!value) {
                text.append(u'\\');
                continue;
            }
            text.append(QChar(char16_t(*value)));
            i += 5;
        } else if (const std::optional<int> value = digitsAt(i + 1, 3, 8); value && *value < 0x100) {
            text.append(QChar(char16_t(*value)));
            i += 3;
        } else {
            text.append(u'\\');
        }
    }
    return text;
}

// UTF-16 is written little-endian with a byte order mark; read by its mark,
// big-endian without one.
EncodedText encodeUtf16(const QString& text) {
    EncodedText result;
    result.bytes.resize(2 + text.size() * 2);
    char* out = result.bytes.data();
    qToLittleEndian<char16_t>(0xFEFF, out);
    for (qsizetype i = 0; i < text.size(); ++i) qToLittleEndian<char16_t>(text[i].unicode(), out + 2 + 2 * i);
    return result;
}

std::optional<QString> decodeUtf16(QByteArrayView bytes, QString* error) {
    if (bytes.size() % 2) {
        setError(error, QStringLiteral("UTF-16 text of odd length"));
        return std::nullopt;
    }
    bool little = false;
    qsizetype start = 0;
    if (bytes.size() >= 2) {
        const auto b0 = static_cast<unsigned char>(bytes[0]);
        const auto b1 = static_cast<unsigned char>(bytes[1]);
        if (b0 == 0xFF && b1 == 0xFE) little = true, start = 2;
        else if (b0 == 0xFE && b1 == 0xFF) start = 2;
    }
    QString text((bytes.size() - start) / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char* at = bytes.data() + start + 2 * i;
        text[i] = QChar(little ? qFromLittleEndian<char16_t>(at) : qFromBigEndian<char16_t>(at));
    }
    return text;
}

}  // namespace

const QList<int>& TextEncoding::supported() {
    static const QList<int> numbers = [] {
        QList<int> list;
        for (const EncodingInfo& info : infos) list.append(info.number);
        return list;
    }();
    return numbers;
}

bool TextEncoding::isSupported(int encoding) { return find(encoding) != nullptr; }

QString TextEncoding::title(int encoding) {
    const EncodingInfo* info = find(encoding);
    return info ? QString::fromLatin1(info->title) : QString();
}

EncodedText TextEncoding::encode(const QString& text, int encoding) {
    EncodedText result;
    const EncodingInfo* info = find(encoding);
    if (!info) {
        for (qsizetype i = 0; i < text.size(); ++i) result.unencodable.append(i);
        return result;
    }
    switch (encoding) {
    case encoding::NEXTSTEP: result.bytes = singlebyte::encode(text, singlebyte::nextStep(), &result.unencodable); return result;
    case encoding::Symbol: result.bytes = singlebyte::encode(text, singlebyte::adobeSymbol(), &result.unencodable); return result;
    case encoding::NonLossyASCII: return encodeNonLossy(text);
    case encoding::Unicode: return encodeUtf16(text);
    default: break;
    }
    std::optional<IcuConverter> converter = IcuConverter::open(info->icuName);
    if (!converter) {
        for (qsizetype i = 0; i < text.size(); ++i) result.unencodable.append(i);
        return result;
    }
    result.bytes = converter->fromUnicode(text, &result.unencodable);
    return result;
}

std::optional<QString> TextEncoding::decode(QByteArrayView bytes, int encoding, QString* error) {
    const EncodingInfo* info = find(encoding);
    if (!info) {
        setError(error, QStringLiteral("unknown text encoding %1").arg(encoding));
        return std::nullopt;
    }
    std::optional<QString> text;
    switch (encoding) {
    case encoding::NEXTSTEP: text = singlebyte::decodeStrict(bytes, singlebyte::nextStep()); break;
    case encoding::Symbol: text = singlebyte::decodeStrict(bytes, singlebyte::adobeSymbol()); break;
    case encoding::NonLossyASCII: return decodeNonLossy(bytes, error);
    case encoding::Unicode: return decodeUtf16(bytes, error);
    default:
        if (std::optional<IcuConverter> converter = IcuConverter::open(info->icuName))
            text = converter->toUnicode(bytes, true);
        break;
    }
    if (!text) {
        setError(error, QStringLiteral("the text is not valid %1").arg(title(encoding)));
        return std::nullopt;
    }
    if (encoding == encoding::UTF8 && text->startsWith(QChar(0xFEFF))) text->remove(0, 1);
    return text;
}

}  // namespace fendle
