#pragma once
#include "platform/RichText.h"

#include <QString>
#include <optional>

namespace fendle {

// What a rich-text reader answers: the text, or why there is none.
struct RichTextResult {
    std::optional<RichText> text;
    QString error;

    bool ok() const { return text.has_value(); }
    static RichTextResult failure(const QString& message) { return {std::nullopt, message}; }
};

}  // namespace fendle
