#include "document/SlipLinks.h"

#include <functional>

namespace fendle::sliplinks {
namespace {

const QString Scheme = QStringLiteral("fendle://");
const QString SelfSuffix = QStringLiteral(".self");
const QString BoxSeparator = QStringLiteral("::");

// The text with every link target passed through rewrite; none from rewrite
// keeps the link as it is.
RichText rewriteLinks(const RichText& text, const std::function<std::optional<QString>(const QString&)>& rewrite) {
    std::vector<RichText::Run> runs = text.runs();
    bool changed = false;
    for (RichText::Run& run : runs) {
        std::optional<LinkAttribute> link = run.attributes.get<LinkAttribute>(attr::Link);
        if (!link) continue;
        const std::optional<QString> target = rewrite(link->url);
        if (!target) continue;
        link->url = *target;
        run.attributes.set(attr::Link, *link);
        changed = true;
    }
    return changed ? RichText::fromRuns(text.string(), std::move(runs)) : text;
}

}  // namespace

QString internalSlipLinkString(const QString& key) { return QStringLiteral("fendle://%1.self").arg(key); }

QString externalSlipLinkString(const QString& key, const QString& boxUrlString) {
    return QStringLiteral("fendle://%1::%2").arg(key, boxUrlString);
}

RichText replaceInternalSlipLinks(const RichText& text, const QString& boxUrlString) {
    return rewriteLinks(text, [&](const QString& target) -> std::optional<QString> {
        if (!target.startsWith(Scheme) || !target.endsWith(SelfSuffix)) return std::nullopt;
        const QString key = target.mid(Scheme.size(), target.size() - Scheme.size() - SelfSuffix.size());
        // "fendle://.self" names no slip, and an address cannot be one.
        if (key.isEmpty() || key.contains(BoxSeparator)) return std::nullopt;
        return externalSlipLinkString(key, boxUrlString);
    });
}

RichText replaceExternalSlipLinks(const RichText& text, const QStringList& ownBoxUrlStrings) {
    return rewriteLinks(text, [&](const QString& target) -> std::optional<QString> {
        if (!target.startsWith(Scheme)) return std::nullopt;
        const qsizetype separator = target.indexOf(BoxSeparator, Scheme.size());
        if (separator < 0 || !ownBoxUrlStrings.contains(target.mid(separator + BoxSeparator.size()))) return std::nullopt;
        const QString key = target.mid(Scheme.size(), separator - Scheme.size());
        if (key.isEmpty()) return std::nullopt;
        return internalSlipLinkString(key);
    });
}

}  // namespace fendle::sliplinks
