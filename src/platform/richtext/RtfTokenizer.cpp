#include "platform/richtext/RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace fendle {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

RtfToken RtfTokenizer::next() {
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        if (c == '\r' || c == '\n' || c == '\0') {
            ++pos_;
            continue;
        }
        RtfToken token;
        if (c == '{' || c == '}') {
            ++pos_;
            token.type = c == '{' ? RtfToken::Type::GroupStart : RtfToken::Type::GroupEnd;
            return token;
        }
        if (c != '\\') {
            ++pos_;
            token.type = RtfToken::Type::Text;
            token.byte = static_cast<unsigned char>(c);
            return token;
        }
        if (pos_ + 1 >= input_.size()) break;
        const char after = input_[pos_ + 1];
        if (isLetter(after)) return controlWord();
        pos_ += 2;
        if (after == '\'') {
            const int high = pos_ < input_.size() ? hexValue(input_[pos_]) : -1;
            const int low = pos_ + 1 < input_.size() ? hexValue(input_[pos_ + 1]) : -1;
            if (high < 0 || low < 0) {  // not an escape after all: keep the quote as text
                token.type = RtfToken::Type::Text;
                token.byte = '\'';
                return token;
            }
            pos_ += 2;
            token.type = RtfToken::Type::HexByte;
            token.byte = static_cast<unsigned char>(high * 16 + low);
            return token;
        }
        token.type = RtfToken::Type::ControlSymbol;
        token.symbol = after == '\r' ? '\n' : after;
        return token;
    }
    pos_ = input_.size();
    return RtfToken{};
}

RtfToken RtfTokenizer::controlWord() {
    RtfToken token;
    token.type = RtfToken::Type::ControlWord;
    const std::size_t start = ++pos_;
    while (pos_ < input_.size() && isLetter(input_[pos_])) ++pos_;
    token.word = input_.substr(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < input_.size() && input_[pos_] == '-' && isDigit(input_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < input_.size() && isDigit(input_[pos_])) {
        // Longer numbers than 32 bits are clamped, not wrapped.
        std::int64_t value = 0;
        constexpr std::int64_t cap = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
        while (pos_ < input_.size() && isDigit(input_[pos_])) {
            value = std::min(cap, value * 10 + (input_[pos_] - '0'));
            ++pos_;
        }
        if (negative) value = -value;
        value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max());
        token.hasParameter = true;
        token.parameter = static_cast<std::int32_t>(value);
    }
    if (pos_ < input_.size() && input_[pos_] == ' ') ++pos_;
    if (token.word == "bin") {
        const std::size_t wanted = token.hasParameter && token.parameter > 0 ? std::size_t(token.parameter) : 0;
        const std::size_t available = std::min(wanted, input_.size() - pos_);
        token.type = RtfToken::Type::Binary;
        token.data = input_.substr(pos_, available);
        pos_ += available;
    }
    return token;
}

}  // namespace fendle
