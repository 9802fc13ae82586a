#pragma once
#include <QByteArrayView>
#include <QString>
#include <map>
#include <optional>

#include "platform/text/IcuConverter.h"

namespace fendle::codepage {

// Code page numbers as RTF uses them (Windows numbers, 10000+ for the Mac
// ones). Fonts with the symbol character set use Adobe's Symbol table.
inline constexpr int Symbol = 2;
inline constexpr int Windows1252 = 1252;
inline constexpr int MacRoman = 10000;

// The code page of an \fcharset value; nullopt for "use the document's".
std::optional<int> forCharset(int fcharset);

// Decodes bytes of that code page; bytes it cannot map become U+FFFD.
// Unknown code pages fall back to Windows-1252.
QString decode(QByteArrayView bytes, int codePage);

// The same, keeping the converters it opens: readers decode many short runs.
class Decoder {
public:
    QString decode(QByteArrayView bytes, int codePage);

private:
    std::map<const char*, std::optional<IcuConverter>> converters_;
};

// The Windows-1252 byte of a character, if it has one.
std::optional<unsigned char> encodeWindows1252(char16_t character);

}  // namespace fendle::codepage
