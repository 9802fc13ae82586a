// Keyed-archive codecs of the attribute values in slip texts: fonts,
// colours, paragraph styles with their tabs, and attachments.
#include "platform/keyedarchive/FileWrapperForm.h"
#include "platform/keyedarchive/KeyedCodecs.h"

#include <QLocale>

namespace fendle {

namespace {
using R = Result<ArchiveValue>;
using Space = ColorAttribute::Space;

QString damaged(const KeyedObject& o, const QString& what) {
    return QStringLiteral("damaged keyed archive: %1 %2").arg(o.className(), what);
}

// "Helvetica-BoldOblique" → family Helvetica, bold, italic.
FontAttribute fontFromName(const QString& name, double size) {
    FontAttribute font;
    font.postScriptName = name;
    font.pointSize = size;
    const qsizetype dash = name.indexOf(QLatin1Char('-'));
    font.family = dash < 0 ? name : name.left(dash);
    const QString style = dash < 0 ? QString() : name.mid(dash + 1);
    font.bold = style.contains(QLatin1String("Bold"));
    font.italic = style.contains(QLatin1String("Italic")) || style.contains(QLatin1String("Oblique"));
    return font;
}

R decodeFont(const KeyedObject& o) {
    auto name = o.decodeObject(QLatin1StringView("NSName"));
    if (!name) return name;
    const auto text = name->toString();
    if (!text) return R::failure(damaged(o, QStringLiteral("without NSName")));
    return ArchiveValue(fontFromName(*text, o.decodeReal(QLatin1StringView("NSSize")).value_or(12.0)));
}

std::vector<double> components(QByteArray text) {
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0) text.truncate(nul);
    std::vector<double> values;
    for (const QByteArray& part : text.simplified().split(' ')) {
        bool ok = false;
        const double v = part.toDouble(&ok);
        if (ok) values.push_back(v);
        if (values.size() > 5) break;
    }
    return values;
}

R decodeColor(const KeyedObject& o) {
    const qint64 space = o.decodeInteger(QLatin1StringView("NSColorSpace")).value_or(0);
    auto fill = [](ColorAttribute c, const std::vector<double>& v, size_t n) {
        for (size_t i = 0; i < n && i < v.size(); ++i) c.components[i] = v[i];
        c.alpha = v.size() > n ? v[n] : 1.0;
        return c;
    };
    switch (space) {
    case 1:
    case 2: {
        ColorAttribute c;
        c.space = space == 1 ? Space::CalibratedRGB : Space::DeviceRGB;
        return ArchiveValue(fill(c, components(o.decodeData(QLatin1StringView("NSRGB")).value_or(QByteArray())), 3));
    }
    case 3:
    case 4: {
        ColorAttribute c;
        c.space = space == 3 ? Space::CalibratedWhite : Space::DeviceWhite;
        return ArchiveValue(fill(c, components(o.decodeData(QLatin1StringView("NSWhite")).value_or(QByteArray())), 1));
    }
    case 5: {
        ColorAttribute c;
        c.space = Space::DeviceCMYK;
        auto text = o.decodeData(QLatin1StringView("NSCMYK"));
        if (!text) text = o.decodeData(QLatin1StringView("NSCYMK"));
        return ArchiveValue(fill(c, components(text.value_or(QByteArray())), 4));
    }
    case 6: {
        auto catalog = o.decodeObject(QLatin1StringView("NSCatalogName"));
        if (!catalog) return catalog;
        auto name = o.decodeObject(QLatin1StringView("NSColorName"));
        if (!name) return name;
        return ArchiveValue(ColorAttribute::named(catalog->toString().value_or(QString()), name->toString().value_or(QString())));
    }
    default: return R::failure(damaged(o, QStringLiteral("of unknown colour space %1").arg(space)));
    }
}

R decodeTextTab(const KeyedObject& o) {
    TabStop tab;
    tab.location = o.decodeReal(QLatin1StringView("NSLocation")).value_or(0);
    const qint64 type = o.decodeInteger(QLatin1StringView("NSType")).value_or(0);
    tab.type = type >= 0 && type <= 3 ? static_cast<TabStop::Type>(type) : TabStop::Type::Left;
    // Tabs live inside paragraph styles only; hand them up as a one-tab style.
    ParagraphStyleAttribute carrier;
    carrier.tabStops.append(tab);
    return ArchiveValue(carrier);
}

struct RealKey {
    const char* key;
    double ParagraphStyleAttribute::*field;
};
const RealKey realKeys[] = {
    {"NSFirstLineHeadIndent", &ParagraphStyleAttribute::firstLineHeadIndent},
    {"NSHeadIndent", &ParagraphStyleAttribute::headIndent},
    {"NSTailIndent", &ParagraphStyleAttribute::tailIndent},
    {"NSLineSpacing", &ParagraphStyleAttribute::lineSpacing},
    {"NSParagraphSpacing", &ParagraphStyleAttribute::paragraphSpacing},
    {"NSParagraphSpacingBefore", &ParagraphStyleAttribute::paragraphSpacingBefore},
    {"NSMinLineHeight", &ParagraphStyleAttribute::minimumLineHeight},
    {"NSMaxLineHeight", &ParagraphStyleAttribute::maximumLineHeight},
    {"NSLineHeightMultiple", &ParagraphStyleAttribute::lineHeightMultiple},
    {"NSDefaultTabInterval", &ParagraphStyleAttribute::defaultTabInterval},
};

R decodeParagraphStyle(const KeyedObject& o) {
    ParagraphStyleAttribute style;
    const qint64 alignment = o.decodeInteger(QLatin1StringView("NSAlignment")).value_or(0);
    style.alignment = alignment >= 0 && alignment <= 4 ? static_cast<ParagraphStyleAttribute::Alignment>(alignment)
                                                       : ParagraphStyleAttribute::Alignment::Left;
    for (const RealKey& k : realKeys) style.*k.field = o.decodeReal(QLatin1StringView(k.key)).value_or(0);
    auto tabs = o.decodeObject(QLatin1StringView("NSTabStops"));
    if (!tabs) return tabs;
    if (const ArchiveList* list = tabs->toList())
        for (const ArchiveValue& item : list->items)
            if (const auto* carrier = item.as<ParagraphStyleAttribute>(); carrier && !carrier->tabStops.isEmpty())
                style.tabStops.append(carrier->tabStops.first());
    return ArchiveValue(style);
}

R decodeFileWrapper(const KeyedObject& o) {
    auto data = o.decodeObject(QLatin1StringView("NSFileWrapperData"));
    if (!data) return data;
    const QByteArray* bytes = data->as<QByteArray>();
    if (!bytes) return R::failure(damaged(o, QStringLiteral("without NSFileWrapperData")));
    auto file = parseSerializedFileWrapper(*bytes);
    if (!file) return R::failure(file.error());
    return ArchiveValue(AttachmentAttribute{file->fileName, file->contents});
}

R decodeTextAttachment(const KeyedObject& o) {
    auto wrapper = o.decodeObject(QLatin1StringView("NSFileWrapper"));
    if (!wrapper) return wrapper;
    if (const auto* attachment = wrapper->as<AttachmentAttribute>()) return ArchiveValue(*attachment);
    auto contents = o.decodeObject(QLatin1StringView("NS.contents"));
    if (contents && contents->as<QByteArray>())
        return ArchiveValue(AttachmentAttribute{QString(), *contents->as<QByteArray>()});
    return R::failure(damaged(o, QStringLiteral("without a file")));
}

QByteArray componentText(std::initializer_list<double> values, double alpha) {
    QStringList parts;
    for (double v : values) parts << QString::number(v, 'g', QLocale::FloatingPointShortest);
    if (alpha != 1.0) parts << QString::number(alpha, 'g', QLocale::FloatingPointShortest);
    return parts.join(QLatin1Char(' ')).toLatin1() + QByteArray(1, '\0');
}
}  // namespace

void registerAppKitDecoders(KeyedUnarchiver& u) {
    u.registerDecoder("NSFont", decodeFont);
    u.registerDecoder("NSColor", decodeColor);
    u.registerDecoder("NSTextTab", decodeTextTab);
    for (const char* name : {"NSParagraphStyle", "NSMutableParagraphStyle"}) u.registerDecoder(name, decodeParagraphStyle);
    u.registerDecoder("NSFileWrapper", decodeFileWrapper);
    u.registerDecoder("NSTextAttachment", decodeTextAttachment);
}

KeyedArchiver::Uid encodeFont(KeyedArchiver& a, const FontAttribute& font) {
    QString name = font.postScriptName;
    if (name.isEmpty()) {
        const QString style = QString(font.bold ? "Bold" : "") + QString(font.italic ? "Oblique" : "");
        name = style.isEmpty() ? font.family : font.family + QLatin1Char('-') + style;
    }
    const auto uid = a.beginObject();
    a.encodeObject(QStringLiteral("NSName"), ArchiveValue(name));
    a.encodeDouble(QStringLiteral("NSSize"), font.pointSize);
    a.encodeInteger(QStringLiteral("NSfFlags"), 16);
    a.endObject(uid, QStringLiteral("NSFont"));
    return uid;
}

KeyedArchiver::Uid encodeColor(KeyedArchiver& a, const ColorAttribute& c) {
    const auto uid = a.beginObject();
    const double* v = c.components;
    switch (c.space) {
    case Space::CalibratedRGB:
    case Space::DeviceRGB:
        a.encodeInteger(QStringLiteral("NSColorSpace"), c.space == Space::CalibratedRGB ? 1 : 2);
        a.encodeData(QStringLiteral("NSRGB"), componentText({v[0], v[1], v[2]}, c.alpha));
        break;
    case Space::CalibratedWhite:
    case Space::DeviceWhite:
        a.encodeInteger(QStringLiteral("NSColorSpace"), c.space == Space::CalibratedWhite ? 3 : 4);
        a.encodeData(QStringLiteral("NSWhite"), componentText({v[0]}, c.alpha));
        break;
    case Space::DeviceCMYK:
        a.encodeInteger(QStringLiteral("NSColorSpace"), 5);
        a.encodeData(QStringLiteral("NSCMYK"), componentText({v[0], v[1], v[2], v[3]}, c.alpha));
        break;
    case Space::Named:
        a.encodeInteger(QStringLiteral("NSColorSpace"), 6);
        a.encodeObject(QStringLiteral("NSCatalogName"), ArchiveValue(c.catalogName));
        a.encodeObject(QStringLiteral("NSColorName"), ArchiveValue(c.colorName));
        a.encodeObject(QStringLiteral("NSColor"), ArchiveValue(ColorAttribute::grey(0, 1, false)));
        break;
    }
    a.endObject(uid, QStringLiteral("NSColor"));
    return uid;
}

KeyedArchiver::Uid encodeParagraphStyle(KeyedArchiver& a, const ParagraphStyleAttribute& style) {
    std::vector<KeyedArchiver::Uid> tabs;
    const auto uid = a.beginObject();
    // Only values that differ from the defaults are written.
    if (style.alignment != ParagraphStyleAttribute::Alignment::Left)
        a.encodeInteger(QStringLiteral("NSAlignment"), static_cast<int>(style.alignment));
    for (const RealKey& k : realKeys)
        if (style.*k.field != 0) a.encodeDouble(QString::fromLatin1(k.key), style.*k.field);
    if (style.tabStops.isEmpty()) {
        a.encodeUid(QStringLiteral("NSTabStops"), 0);
    } else {
        for (const TabStop& tab : style.tabStops) {
            const auto tabUid = a.beginObject();
            a.encodeDouble(QStringLiteral("NSLocation"), tab.location);
            if (tab.type != TabStop::Type::Left) a.encodeInteger(QStringLiteral("NSType"), static_cast<int>(tab.type));
            a.endObject(tabUid, QStringLiteral("NSTextTab"));
            tabs.push_back(tabUid);
        }
        const auto array = a.beginObject();
        a.encodeUidArray(QStringLiteral("NS.objects"), tabs);
        a.endObject(array, QStringLiteral("NSArray"));
        a.encodeUid(QStringLiteral("NSTabStops"), array);
    }
    a.endObject(uid, QStringLiteral("NSParagraphStyle"));
    return uid;
}

KeyedArchiver::Uid encodeAttachment(KeyedArchiver& a, const AttachmentAttribute& attachment) {
    const auto uid = a.beginObject();
    const auto wrapper = a.beginObject();
    a.encodeObject(QStringLiteral("NSFileWrapperData"),
                   ArchiveValue(serializeRegularFile({attachment.fileName, attachment.contents})));
    a.endObject(wrapper, QStringLiteral("NSFileWrapper"));
    a.encodeUid(QStringLiteral("NSFileWrapper"), wrapper);
    a.endObject(uid, QStringLiteral("NSTextAttachment"));
    return uid;
}

}  // namespace fendle
