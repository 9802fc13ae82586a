#pragma once
#include "platform/richtext/RichText.h"

namespace fendle {

// Joins many pieces of rich text in time linear in the result: appending to
// a RichText keeps its runs canonical after every piece, which for the
// slips of a whole box would be quadratic.
class RichTextBuilder {
public:
    void append(const RichText& text);
    void append(const QString& text, const Attributes& attributes = {});
    RichText build() &&;

private:
    QString text_;
    std::vector<RichText::Run> runs_;
};

}  // namespace fendle
