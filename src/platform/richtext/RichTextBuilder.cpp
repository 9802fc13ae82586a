#include "platform/richtext/RichTextBuilder.h"

namespace fendle {

void RichTextBuilder::append(const RichText& text) {
    text_ += text.string();
    runs_.insert(runs_.end(), text.runs().begin(), text.runs().end());
}

void RichTextBuilder::append(const QString& text, const Attributes& attributes) {
    text_ += text;
    runs_.push_back({text.size(), attributes});
}

RichText RichTextBuilder::build() && { return RichText::fromRuns(text_, std::move(runs_)); }

}  // namespace fendle
