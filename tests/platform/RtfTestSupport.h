#pragma once
#include "platform/richtext/RichText.h"

#include <QString>

// Helpers shared by the RTF and RTFD tests.
namespace rtftest {

inline fendle::Attributes attributesOf(const fendle::RichText& text, const QString& part, qsizetype from = 0) {
    const qsizetype at = text.string().indexOf(part, from);
    return at < 0 ? fendle::Attributes{} : text.attributesAt(at);
}

inline std::optional<QString> linkAt(const fendle::RichText& text, qsizetype index) {
    auto link = text.attributesAt(index).get<fendle::LinkAttribute>(fendle::attr::Link);
    return link ? std::optional<QString>(link->url) : std::nullopt;
}

inline fendle::FontAttribute fontOf(const fendle::Attributes& a) {
    return a.get<fendle::FontAttribute>(fendle::attr::Font).value_or(fendle::FontAttribute{});
}

// Names the first run where two texts differ, and the attributes that differ
// there, for readable failure messages.
inline std::string describeDifference(const fendle::RichText& a, const fendle::RichText& b) {
    if (a.string() != b.string()) return "the characters differ";
    const auto& ra = a.runs();
    const auto& rb = b.runs();
    for (std::size_t i = 0; i < std::min(ra.size(), rb.size()); ++i) {
        if (ra[i] == rb[i]) continue;
        std::string names;
        for (const auto& [name, value] : ra[i].attributes.values()) {
            const fendle::AttributeValue* other = rb[i].attributes.find(name);
            if (!other || !(*other == value)) names += name.toStdString() + " ";
        }
        for (const auto& [name, value] : rb[i].attributes.values())
            if (!ra[i].attributes.contains(name)) names += "+" + name.toStdString() + " ";
        return "run " + std::to_string(i) + " lengths " + std::to_string(ra[i].length) + "/" +
               std::to_string(rb[i].length) + " differs in " + names;
    }
    return "run counts " + std::to_string(ra.size()) + "/" + std::to_string(rb.size());
}

}  // namespace rtftest
