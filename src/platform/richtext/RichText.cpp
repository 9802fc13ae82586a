#include "platform/richtext/RichText.h"

#include <algorithm>

namespace fendle {

class RichText::Data : public QSharedData {
public:
    QString text;
    std::vector<Run> runs;

    void normalize() {
        std::vector<Run> merged;
        merged.reserve(runs.size());
        for (Run& run : runs) {
            if (run.length <= 0) continue;
            if (!merged.empty() && merged.back().attributes == run.attributes)
                merged.back().length += run.length;
            else
                merged.push_back(std::move(run));
        }
        runs = std::move(merged);
    }

    // Splits runs so that a run boundary falls at index; returns the index of
    // the run starting there (runs.size() at the end).
    std::size_t splitAt(qsizetype index) {
        qsizetype start = 0;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            if (start == index) return i;
            const qsizetype end = start + runs[i].length;
            if (index < end) {
                Run tail{end - index, runs[i].attributes};
                runs[i].length = index - start;
                runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
                return i + 1;
            }
            start = end;
        }
        return runs.size();
    }
};

RichText::RichText() : d(new Data) {}

RichText::RichText(const QString& text, const Attributes& attributes) : d(new Data) {
    d->text = text;
    if (!text.isEmpty()) d->runs.push_back({text.size(), attributes});
}

RichText RichText::fromRuns(const QString& text, std::vector<Run> runs) {
    RichText result(text);
    qsizetype total = 0;
    for (const Run& run : runs) total += std::max<qsizetype>(run.length, 0);
    if (total == text.size()) {
        result.d->runs = std::move(runs);
        result.d->normalize();
    }
    return result;
}

RichText::RichText(const RichText&) = default;
RichText::RichText(RichText&&) noexcept = default;
RichText& RichText::operator=(const RichText&) = default;
RichText& RichText::operator=(RichText&&) noexcept = default;
RichText::~RichText() = default;

const QString& RichText::string() const { return d->text; }
qsizetype RichText::length() const { return d->text.size(); }
const std::vector<RichText::Run>& RichText::runs() const { return d->runs; }

bool operator==(const RichText& a, const RichText& b) {
    return a.d == b.d || (a.d->text == b.d->text && a.d->runs == b.d->runs);
}

TextRange RichText::clip(TextRange range) const {
    const qsizetype len = length();
    const qsizetype location = std::clamp<qsizetype>(range.location, 0, len);
    const qsizetype length = std::clamp<qsizetype>(range.length, 0, len - location);
    return {location, length};
}

Attributes RichText::attributesAt(qsizetype index, TextRange* effectiveRange) const {
    qsizetype start = 0;
    for (const Run& run : d->runs) {
        if (index >= start && index < start + run.length) {
            if (effectiveRange) *effectiveRange = {start, run.length};
            return run.attributes;
        }
        start += run.length;
    }
    if (effectiveRange) *effectiveRange = {std::clamp<qsizetype>(index, 0, length()), 0};
    return {};
}

std::optional<AttributeValue> RichText::attributeAt(const QString& name, qsizetype index,
                                                    TextRange* effectiveRange) const {
    const auto& runs = d->runs;
    qsizetype start = 0;
    std::size_t hit = runs.size();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (index >= start && index < start + runs[i].length) {
            hit = i;
            break;
        }
        start += runs[i].length;
    }
    if (hit == runs.size()) {
        if (effectiveRange) *effectiveRange = {std::clamp<qsizetype>(index, 0, length()), 0};
        return std::nullopt;
    }
    const AttributeValue* found = runs[hit].attributes.find(name);
    std::optional<AttributeValue> value = found ? std::optional<AttributeValue>(*found) : std::nullopt;
    auto sameValue = [&](const Run& run) {
        const AttributeValue* other = run.attributes.find(name);
        return value ? (other && *other == *value) : other == nullptr;
    };
    qsizetype rangeStart = start;
    qsizetype rangeEnd = start + runs[hit].length;
    for (std::size_t i = hit; i-- > 0 && sameValue(runs[i]);) rangeStart -= runs[i].length;
    for (std::size_t i = hit + 1; i < runs.size() && sameValue(runs[i]); ++i) rangeEnd += runs[i].length;
    if (effectiveRange) *effectiveRange = {rangeStart, rangeEnd - rangeStart};
    return value;
}

void RichText::replace(TextRange range, const RichText& replacement) {
    range = clip(range);
    Data& data = *d;
    const std::size_t first = data.splitAt(range.location);
    const std::size_t last = data.splitAt(range.end());
    data.runs.erase(data.runs.begin() + static_cast<std::ptrdiff_t>(first),
                    data.runs.begin() + static_cast<std::ptrdiff_t>(last));
    data.runs.insert(data.runs.begin() + static_cast<std::ptrdiff_t>(first), replacement.d->runs.begin(),
                     replacement.d->runs.end());
    data.text.replace(range.location, range.length, replacement.d->text);
    data.normalize();
}

void RichText::replace(TextRange range, const QString& replacement) {
    range = clip(range);
    Attributes attributes;
    if (range.length > 0)
        attributes = attributesAt(range.location);
    else if (range.location > 0)
        attributes = attributesAt(range.location - 1);
    else
        attributes = attributesAt(0);
    replace(range, RichText(replacement, attributes));
}

void RichText::insert(qsizetype index, const RichText& text) { replace({index, 0}, text); }

void RichText::append(const RichText& text) { replace({length(), 0}, text); }

void RichText::append(const QString& text, const Attributes& attributes) { append(RichText(text, attributes)); }

RichText RichText::substring(TextRange range) const {
    range = clip(range);
    RichText result;
    result.d->text = d->text.mid(range.location, range.length);
    qsizetype start = 0;
    for (const Run& run : d->runs) {
        const qsizetype from = std::max(start, range.location);
        const qsizetype to = std::min(start + run.length, range.end());
        if (from < to) result.d->runs.push_back({to - from, run.attributes});
        start += run.length;
    }
    return result;
}

template <typename Edit>
void RichText::editAttributes(TextRange range, Edit edit) {
    range = clip(range);
    if (range.length == 0) return;
    Data& data = *d;
    const std::size_t first = data.splitAt(range.location);
    const std::size_t last = data.splitAt(range.end());
    for (std::size_t i = first; i < last; ++i) edit(data.runs[i].attributes);
    data.normalize();
}

void RichText::setAttributes(const Attributes& attributes, TextRange range) {
    editAttributes(range, [&](Attributes& a) { a = attributes; });
}

void RichText::addAttribute(const QString& name, const AttributeValue& value, TextRange range) {
    editAttributes(range, [&](Attributes& a) { a.set(name, value); });
}

void RichText::removeAttribute(const QString& name, TextRange range) {
    editAttributes(range, [&](Attributes& a) { a.remove(name); });
}

bool RichText::hasAttachments() const {
    return std::any_of(d->runs.begin(), d->runs.end(),
                       [](const Run& run) { return run.attributes.contains(attr::Attachment); });
}

RichText RichText::deepCopy() const {
    RichText copy;
    copy.d->text = QString(d->text.constData(), d->text.size());
    copy.d->runs = d->runs;
    for (Run& run : copy.d->runs) {
        if (auto attachment = run.attributes.get<AttachmentAttribute>(attr::Attachment)) {
            attachment->contents = QByteArray(attachment->contents.constData(), attachment->contents.size());
            run.attributes.set(attr::Attachment, *attachment);
        }
    }
    return copy;
}

}  // namespace fendle
