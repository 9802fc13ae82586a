#include "platform/text/CodePage.h"

#include "platform/text/IcuConverter.h"
#include "platform/text/SingleByteTables.h"

#include <array>
#include <map>

namespace fendle::codepage {
namespace {

// Windows-1252 between 0x80 and 0x9F; 0 marks a byte without a character.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

const char* icuName(int codePage) {
    switch (codePage) {
    case 437: return "ibm-437";
    case 850: return "ibm-850";
    case 874: return "windows-874";
    case 932: return "windows-31j";
    case 936: return "windows-936";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    case 10001: return "Shift_JIS";   // close enough: ICU has no Mac Japanese
    case 10002: return "Big5";
    case 10003: return "windows-949";
    case 10006: return "x-mac-greek";
    case 10007: return "x-mac-cyrillic";
    case 10008: return "GB2312";
    case 10029: return "x-mac-centraleurroman";
    case 10081: return "x-mac-turkish";
    default: return "windows-1252";
    }
}

}  // namespace

std::optional<int> forCharset(int fcharset) {
    static const std::map<int, int> table = {
        {0, 1252},    {2, Symbol},  {77, 10000},  {78, 10001},  {79, 10003},  {80, 10008},  {81, 10002},
        {83, 10005},  {84, 10004},  {85, 10006},  {86, 10081},  {87, 10021},  {88, 10029},  {89, 10007},
        {128, 932},   {129, 949},   {130, 1361},  {134, 936},   {136, 950},   {161, 1253},  {162, 1254},
        {163, 1258},  {177, 1255},  {178, 1256},  {186, 1257},  {204, 1251},  {222, 874},   {238, 1250},
        {254, 437},   {255, 850}};
    const auto it = table.find(fcharset);
    if (it == table.end()) return std::nullopt;
    return it->second;
}

QString decode(QByteArrayView bytes, int codePage) { return Decoder().decode(bytes, codePage); }

QString Decoder::decode(QByteArrayView bytes, int codePage) {
    if (codePage == Symbol) return singlebyte::decode(bytes, singlebyte::adobeSymbol());
    if (codePage == Windows1252) {
        QString text;
        text.reserve(bytes.size());
        for (char b : bytes) {
            const unsigned char byte = static_cast<unsigned char>(b);
            const char16_t c = (byte >= 0x80 && byte < 0xA0) ? windows1252High[byte - 0x80] : byte;
            text.append(QChar(c ? c : char16_t(0xFFFD)));
        }
        return text;
    }
    // Keyed by converter, not by number: any number of \cpg values still
    // opens only the few converters there are.
    const char* name = icuName(codePage);
    auto it = converters_.find(name);
    if (it == converters_.end()) it = converters_.emplace(name, IcuConverter::open(name)).first;
    if (!it->second) return decode(bytes, Windows1252);
    return it->second->toUnicode(bytes, false).value_or(QString());
}

std::optional<unsigned char> encodeWindows1252(char16_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < windows1252High.size(); ++i)
        if (windows1252High[i] && windows1252High[i] == character) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

}  // namespace fendle::codepage
