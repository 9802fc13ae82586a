#pragma once
#include <QByteArrayView>
#include <cstdint>
#include <string_view>

namespace fendle {

struct RtfToken {
    enum class Type { GroupStart, GroupEnd, ControlWord, ControlSymbol, Text, HexByte, Binary, End };
    Type type = Type::End;
    std::string_view word;   // control word letters
    bool hasParameter = false;
    std::int32_t parameter = 0;
    char symbol = 0;         // control symbol character
    unsigned char byte = 0;  // Text and HexByte
    std::string_view data;   // Binary payload
};

// Splits RTF bytes into tokens. Bare CR, LF and NUL bytes are dropped; a
// backslash before CR or LF is the control symbol '\n'; \binN carries its N
// raw bytes (fewer when the input ends early).
class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView input) : input_(input.data(), static_cast<std::size_t>(input.size())) {}
    RtfToken next();

private:
    RtfToken controlWord();
    std::string_view input_;
    std::size_t pos_ = 0;
};

}  // namespace fendle
