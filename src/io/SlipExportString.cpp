#include "io/SlipExportString.h"

#include "platform/richtext/TextAttributes.h"

#include <QUrl>

namespace fendle {

namespace {

Attributes courier(const QString& postScriptName, double size, bool bold) {
    Attributes attributes;
    attributes.set(attr::Font, FontAttribute{QStringLiteral("Courier"), postScriptName, size, bold, false});
    return attributes;
}

}  // namespace

std::optional<QString> SlipExportString::sourceLink(const QString& source) {
    static const QStringList schemes{QStringLiteral("http://"),  QStringLiteral("https://"),
                                     QStringLiteral("file://"),  QStringLiteral("ftp://"),
                                     QStringLiteral("bookends://"), QStringLiteral("x-bdsk://")};
    bool linkable = false;
    for (const QString& scheme : schemes) linkable = linkable || source.startsWith(scheme);
    if (!linkable) return std::nullopt;
    const QUrl url(source, QUrl::StrictMode);
    if (!url.isValid()) return std::nullopt;
    return url.toString();
}

RichText SlipExportString::exportString(const Slip& slip, const Parts& parts, const QStringList& scentKeys) {
    const Attributes footer = courier(QStringLiteral("Courier"), 12.0, false);
    RichText result(QStringLiteral("Slip %1\n\n").arg(slip.slipID()), courier(QStringLiteral("Courier-Bold"), 14.0, true));
    if (slip.text()) result.append(*slip.text());
    result.append(QStringLiteral("\n"), footer);
    if (parts.keywords) result.append(QStringLiteral("\nKeywords: ") + slip.keywordsString(), footer);
    if (parts.source) {
        const QString source = slip.source().value_or(QString());
        result.append(QStringLiteral("\nSource: "), footer);
        Attributes linked = footer;
        if (const auto link = sourceLink(source)) linked.set(attr::Link, LinkAttribute{*link, true});
        result.append(source, linked);
    }
    if (parts.type) result.append(QStringLiteral("\nType: ") + slip.slipType().value_or(QString()), footer);
    if (parts.scents) result.append(QStringLiteral("\nScents: ") + scentKeys.join(QStringLiteral(", ")), footer);
    return result;
}

}  // namespace fendle
