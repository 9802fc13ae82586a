#include "cli/SlipJson.h"

#include <QJsonArray>

namespace fendle::cli {

namespace {
QJsonValue optional(const std::optional<QString>& s) { return s ? QJsonValue(*s) : QJsonValue(QJsonValue::Null); }

QJsonValue time(const std::optional<QDateTime>& t) {
    return t ? QJsonValue(t->toUTC().toString(Qt::ISODateWithMs)) : QJsonValue(QJsonValue::Null);
}

QString number(double v) { return QString::number(v, 'g', 10); }

QString colorText(const ColorAttribute& c) {
    using Space = ColorAttribute::Space;
    auto join = [&](const char* space, int n) {
        QStringList parts{QLatin1String(space)};
        for (int i = 0; i < n; ++i) parts << number(c.components[i]);
        parts << number(c.alpha);
        return parts.join(QLatin1Char(' '));
    };
    switch (c.space) {
    case Space::CalibratedRGB: return join("rgb", 3);
    case Space::DeviceRGB: return join("device-rgb", 3);
    case Space::CalibratedWhite: return join("white", 1);
    case Space::DeviceWhite: return join("device-white", 1);
    case Space::DeviceCMYK: return join("cmyk", 4);
    case Space::Named: return QStringLiteral("named %1 %2").arg(c.catalogName, c.colorName);
    }
    return {};
}

QString paragraphText(const ParagraphStyleAttribute& p) {
    QStringList parts{QStringLiteral("alignment %1").arg(static_cast<int>(p.alignment))};
    if (!p.tabStops.isEmpty()) {
        parts << QStringLiteral("tabs");
        for (const TabStop& tab : p.tabStops) parts << number(tab.location);
    }
    return parts.join(QLatin1Char(' '));
}

QJsonArray runsJson(const RichText& text) {
    QJsonArray runs;
    qsizetype location = 0;
    for (const RichText::Run& run : text.runs()) {
        QJsonObject attributes;
        for (const auto& [name, value] : run.attributes.values()) {
            if (const auto* i = std::get_if<std::int64_t>(&value)) attributes.insert(name, static_cast<qint64>(*i));
            else if (const auto* d = std::get_if<double>(&value)) attributes.insert(name, *d);
            else attributes.insert(name, attributeText(value));
        }
        runs.append(QJsonObject{{"location", location}, {"length", run.length}, {"attributes", attributes}});
        location += run.length;
    }
    return runs;
}
}  // namespace

QString attributeText(const AttributeValue& value) {
    if (const auto* f = std::get_if<FontAttribute>(&value))
        return QStringLiteral("%1 %2").arg(f->postScriptName.isEmpty() ? f->family : f->postScriptName, number(f->pointSize));
    if (const auto* c = std::get_if<ColorAttribute>(&value)) return colorText(*c);
    if (const auto* p = std::get_if<ParagraphStyleAttribute>(&value)) return paragraphText(*p);
    if (const auto* l = std::get_if<LinkAttribute>(&value)) return l->url;
    if (const auto* a = std::get_if<AttachmentAttribute>(&value)) return a->fileName;
    if (const auto* s = std::get_if<QString>(&value)) return *s;
    if (const auto* i = std::get_if<std::int64_t>(&value)) return QString::number(*i);
    if (const auto* d = std::get_if<double>(&value)) return number(*d);
    if (const auto* o = std::get_if<OpaqueAttribute>(&value))
        return QStringLiteral("opaque %1 (%2 bytes)").arg(o->format).arg(o->bytes.size());
    return {};
}

QJsonObject slipJson(const Slip& slip, bool withRuns) {
    QJsonArray keywords;
    for (const QString& keyword : slip.keywords()) keywords.append(keyword);
    QJsonObject json{
        {"key", slip.key()},
        {"title", slip.text() ? QJsonValue(slip.title()) : QJsonValue(QJsonValue::Null)},
        {"text", slip.text() ? QJsonValue(slip.text()->string()) : QJsonValue(QJsonValue::Null)},
        {"keywords", keywords},
        {"source", optional(slip.source())},
        {"type", optional(slip.slipType())},
        {"author", optional(slip.author())},
        {"created", time(slip.creationTimeField())},
        {"modified", time(slip.lastModificationTimeField())},
        {"flagged", slip.isFlagged()},
        {"appendedText", optional(slip.appendedTextField())},
        {"mobileBits", slip.modificationByMobileVersion()},
    };
    if (withRuns) json.insert("runs", slip.text() ? QJsonValue(runsJson(*slip.text())) : QJsonValue(QJsonValue::Null));
    return json;
}

}  // namespace fendle::cli
