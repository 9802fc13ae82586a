#include "io/BoxImport.h"

#include "document/SlipLinks.h"
#include "platform/text/StringValues.h"
#include "platform/text/TextOrdering.h"

#include <algorithm>
#include <limits>

namespace fendle {

namespace {

constexpr qint64 HighestSlipNumber = std::numeric_limits<qint32>::max();
const QString LinkScheme = QStringLiteral("fendle");
const QString SelfSuffix = QStringLiteral(".self");
const QString AddressStart = QStringLiteral("//");

struct LinkSpan {
    TextRange range;
    LinkAttribute link;
};

// Each link's whole extent, also where it spans runs of differing styles.
QList<LinkSpan> linkSpans(const RichText& text) {
    QList<LinkSpan> spans;
    qsizetype at = 0;
    for (const RichText::Run& run : text.runs()) {
        const std::optional<LinkAttribute> link = run.attributes.get<LinkAttribute>(attr::Link);
        if (link && !spans.isEmpty() && spans.last().link == *link && spans.last().range.end() == at)
            spans.last().range.length += run.length;
        else if (link)
            spans.append({{at, run.length}, *link});
        at += run.length;
    }
    return spans;
}

// The number a link into its own box points at after the import; none for
// links that stay as they are.
std::optional<qint64> renumberedTarget(const QString& address, quint32 offset) {
    if (!address.startsWith(LinkScheme) || !address.endsWith(SelfSuffix)) return std::nullopt;
    const qsizetype start = address.indexOf(AddressStart);
    if (start < 0) return std::nullopt;
    const qsizetype numberStart = start + AddressStart.size();
    const qsizetype dot = address.indexOf(QLatin1Char('.'), numberStart);
    const qint64 number = intValueOfString(address.mid(numberStart, dot - numberStart));
    const qint64 renumbered = number + offset;
    if (number <= 0 || renumbered > HighestSlipNumber) return std::nullopt;
    return renumbered;
}

QStringList keysInNumericOrder(const SlipDictionary& slips) {
    QStringList keys = slips.keys();
    std::sort(keys.begin(), keys.end(),
              [](const QString& a, const QString& b) { return compareNumericallyIgnoringCase(a, b) < 0; });
    return keys;
}

}  // namespace

RichText renumberSlipLinks(const RichText& text, quint32 offset) {
    RichText result = text;
    const QList<LinkSpan> spans = linkSpans(text);
    // From the back, so that the ranges still ahead stay where they were.
    for (auto span = spans.crbegin(); span != spans.crend(); ++span) {
        const std::optional<qint64> target = renumberedTarget(span->link.url, offset);
        if (!target) continue;
        const QString number = QString::number(*target);
        result.replace(span->range, number);
        result.addAttribute(attr::Link, LinkAttribute{sliplinks::internalSlipLinkString(number), span->link.isUrlObject},
                            {span->range.location, number.size()});
    }
    return result;
}

Result<QList<SlipPtr>> importedSlipsOfBox(const BoxData& source, quint32 offset) {
    // A box browsing its trash keeps its live slips in the other dictionary.
    const SlipDictionary& slips = source.inTrashMode() ? source.deletedSlips() : source.slips();
    QList<SlipPtr> imported;
    imported.reserve(slips.size());
    for (const QString& key : keysInNumericOrder(slips)) {
        const Slip& original = *slips.value(key);
        const qint64 number = qint64(original.slipID()) + offset;
        if (number > HighestSlipNumber)
            return Result<QList<SlipPtr>>::failure(
                QStringLiteral("Slip %1 would get the number %2, beyond the highest a box can hold.").arg(key).arg(number));
        SlipPtr slip = Slip::create(quint32(number));
        slip->setText(renumberSlipLinks(original.text().value_or(RichText()), offset));
        slip->setKeywordsString(original.keywordsString());
        slip->setSource(original.source());
        slip->setSlipType(original.slipType());
        imported.append(slip);
    }
    return imported;
}

}  // namespace fendle
