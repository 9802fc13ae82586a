#include "app/editing/TextFormatMapping.h"

#include "platform/richtext/RtfFontNames.h"

#include <QColor>
#include <QFont>
#include <cmath>

namespace fendle {
namespace {

constexpr double MaximumLength = 10000;  // points; hostile values stay in the data, not on screen

double sane(double value, double low = -MaximumLength, double high = MaximumLength) {
    return std::isfinite(value) ? std::clamp(value, low, high) : 0.0;
}

double unit(double value) { return sane(value, 0.0, 1.0); }

bool same(double a, double b) { return std::abs(a - b) < 1e-6; }

std::optional<double> number(const Attributes& attributes, const QString& name) {
    const AttributeValue* value = attributes.find(name);
    if (!value) return std::nullopt;
    if (const auto* i = std::get_if<std::int64_t>(value)) return double(*i);
    if (const auto* d = std::get_if<double>(value)) return *d;
    return std::nullopt;
}

// The text system's underline values: style in the low byte, pattern above it.
QTextCharFormat::UnderlineStyle underlineStyle(std::int64_t value) {
    if ((value & 0xff) == 0) return QTextCharFormat::NoUnderline;
    switch (value & 0x700) {
    case 0x100: return QTextCharFormat::DotLine;
    case 0x200: return QTextCharFormat::DashUnderline;
    case 0x300: return QTextCharFormat::DashDotLine;
    case 0x400: return QTextCharFormat::DashDotDotLine;
    default: return QTextCharFormat::SingleUnderline;
    }
}

std::int64_t underlineValue(QTextCharFormat::UnderlineStyle style) {
    switch (style) {
    case QTextCharFormat::NoUnderline: return 0;
    case QTextCharFormat::DotLine: return 0x101;
    case QTextCharFormat::DashUnderline: return 0x201;
    case QTextCharFormat::DashDotLine: return 0x301;
    case QTextCharFormat::DashDotDotLine: return 0x401;
    default: return 1;
    }
}

// Sets or removes an attribute when what the format shows has changed.
template <typename Shown, typename Make>
void takeIfChanged(const Shown& now, const Shown& shown, Attributes& result, const QString& name, Make make) {
    if (now == shown) return;
    std::optional<AttributeValue> value = make();
    if (value)
        result.set(name, std::move(*value));
    else
        result.remove(name);
}

// A colour counts as changed only when it looks different: the same colour
// in another space keeps the value the text was made with.
void readColor(const QBrush& now, const QBrush& shown, Attributes& result, const QString& name) {
    const bool hasNow = now.style() != Qt::NoBrush, hadShown = shown.style() != Qt::NoBrush;
    const auto sameColor = [&] {
        return TextFormatMapping::fromQColor(now.color()).isSameColor(TextFormatMapping::fromQColor(shown.color()));
    };
    if (hasNow == hadShown && (!hasNow || sameColor())) return;
    if (hasNow)
        result.set(name, TextFormatMapping::fromQColor(now.color()));
    else
        result.remove(name);
}

Qt::Alignment alignmentFor(ParagraphStyleAttribute::Alignment alignment) {
    switch (alignment) {
    case ParagraphStyleAttribute::Alignment::Left: return Qt::AlignLeft;
    case ParagraphStyleAttribute::Alignment::Right: return Qt::AlignRight;
    case ParagraphStyleAttribute::Alignment::Center: return Qt::AlignHCenter;
    case ParagraphStyleAttribute::Alignment::Justified: return Qt::AlignJustify;
    case ParagraphStyleAttribute::Alignment::Natural: break;
    }
    return {};
}

ParagraphStyleAttribute::Alignment alignmentOf(const QTextBlockFormat& format) {
    using A = ParagraphStyleAttribute::Alignment;
    if (!format.hasProperty(QTextFormat::BlockAlignment)) return A::Natural;
    const Qt::Alignment a = format.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify) return A::Justified;
    if (a & Qt::AlignHCenter) return A::Center;
    if (a & (Qt::AlignRight | Qt::AlignTrailing)) return A::Right;
    if (a & (Qt::AlignLeft | Qt::AlignLeading)) return A::Left;
    return A::Natural;
}

QTextOption::Tab tabFor(const TabStop& stop, double scale) {
    switch (stop.type) {
    case TabStop::Type::Right: return QTextOption::Tab(sane(stop.location) * scale, QTextOption::RightTab);
    case TabStop::Type::Center: return QTextOption::Tab(sane(stop.location) * scale, QTextOption::CenterTab);
    case TabStop::Type::Decimal:
        return QTextOption::Tab(sane(stop.location) * scale, QTextOption::DelimiterTab, QLatin1Char('.'));
    case TabStop::Type::Left: break;
    }
    return QTextOption::Tab(sane(stop.location) * scale, QTextOption::LeftTab);
}

TabStop tabOf(const QTextOption::Tab& tab, double scale) {
    TabStop stop;
    stop.location = tab.position / scale;
    switch (tab.type) {
    case QTextOption::RightTab: stop.type = TabStop::Type::Right; break;
    case QTextOption::CenterTab: stop.type = TabStop::Type::Center; break;
    case QTextOption::DelimiterTab: stop.type = TabStop::Type::Decimal; break;
    case QTextOption::LeftTab: break;
    }
    return stop;
}

}  // namespace

QColor TextFormatMapping::toQColor(const ColorAttribute& color) {
    const double* c = color.components;
    switch (color.space) {
    case ColorAttribute::Space::CalibratedRGB:
    case ColorAttribute::Space::DeviceRGB: return QColor::fromRgbF(unit(c[0]), unit(c[1]), unit(c[2]), unit(color.alpha));
    case ColorAttribute::Space::CalibratedWhite:
    case ColorAttribute::Space::DeviceWhite: return QColor::fromRgbF(unit(c[0]), unit(c[0]), unit(c[0]), unit(color.alpha));
    case ColorAttribute::Space::DeviceCMYK:
        return QColor::fromCmykF(unit(c[0]), unit(c[1]), unit(c[2]), unit(c[3]), unit(color.alpha));
    case ColorAttribute::Space::Named: break;
    }
    // System colours: text is black, backgrounds white, links blue.
    if (color.colorName.contains(QLatin1String("Background"))) return QColor(Qt::white);
    if (color.colorName.contains(QLatin1String("link"), Qt::CaseInsensitive)) return QColor(0, 0, 238);
    return QColor(Qt::black);
}

ColorAttribute TextFormatMapping::fromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return ColorAttribute::rgb(rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF());
}

void TextFormatMapping::setScale(double scale) { scale_ = std::isfinite(scale) && scale > 0 ? scale : 1.0; }

Attributes TextFormatMapping::originalAttributes(const QTextFormat& format, int property) {
    const QVariant value = format.property(property);
    return value.canConvert<Attributes>() ? value.value<Attributes>() : Attributes();
}

// ---- attributes to formats -------------------------------------------------

void TextFormatMapping::applyFont(const FontAttribute& font, QTextCharFormat& format) const {
    const QString family = font.family.isEmpty() ? rtffont::familyFromPostScriptName(font.postScriptName) : font.family;
    if (!family.isEmpty()) format.setFontFamilies(QStringList{family});
    format.setFontPointSize(sane(font.pointSize > 0 ? font.pointSize : 12.0, 1.0, 1000.0) * scale_);
    format.setFontWeight(font.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic);
}

QTextCharFormat TextFormatMapping::charFormat(const Attributes& attributes) const {
    QTextCharFormat format;
    const std::optional<FontAttribute> font = attributes.get<FontAttribute>(attr::Font);
    if (font) applyFont(*font, format);
    if (const auto color = attributes.get<ColorAttribute>(attr::Color)) format.setForeground(toQColor(*color));
    if (const auto color = attributes.get<ColorAttribute>(attr::BackgroundColor)) format.setBackground(toQColor(*color));
    if (const auto underline = number(attributes, attr::Underline))
        format.setUnderlineStyle(underlineStyle(std::int64_t(sane(*underline, -1e6, 1e6))));
    if (const auto strike = number(attributes, attr::Strikethrough); strike && *strike != 0) format.setFontStrikeOut(true);
    if (const auto superscript = number(attributes, attr::Superscript); superscript && *superscript != 0)
        format.setVerticalAlignment(*superscript > 0 ? QTextCharFormat::AlignSuperScript
                                                     : QTextCharFormat::AlignSubScript);
    if (const auto offset = number(attributes, attr::BaselineOffset); offset && *offset != 0) {
        const double size = font && font->pointSize > 0 ? font->pointSize : fallbackFont_.pointSize;
        format.setBaselineOffset(sane(*offset / sane(size, 1.0, 1000.0) * 100.0, -1000.0, 1000.0));
    }
    if (const auto link = attributes.get<LinkAttribute>(attr::Link)) {
        format.setAnchor(true);
        format.setAnchorHref(link->url);
        // Links look like links unless the text says otherwise.
        if (!attributes.contains(attr::Color)) format.setForeground(QColor(0, 0, 238));
        if (!attributes.contains(attr::Underline)) format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    }
    format.setProperty(OriginalAttributesProperty, QVariant::fromValue(attributes));
    return format;
}

QTextBlockFormat TextFormatMapping::blockFormat(const std::optional<ParagraphStyleAttribute>& style) const {
    QTextBlockFormat format;
    Attributes original;
    if (style) {
        original.set(attr::ParagraphStyle, *style);
        if (const Qt::Alignment alignment = alignmentFor(style->alignment)) format.setAlignment(alignment);
        format.setLeftMargin(sane(style->headIndent, 0) * scale_);
        format.setTextIndent(sane(style->firstLineHeadIndent - style->headIndent) * scale_);
        if (style->tailIndent < 0) format.setRightMargin(sane(-style->tailIndent, 0) * scale_);
        format.setTopMargin(sane(style->paragraphSpacingBefore, 0) * scale_);
        format.setBottomMargin(sane(style->paragraphSpacing, 0) * scale_);
        if (style->lineHeightMultiple > 0)
            format.setLineHeight(sane(style->lineHeightMultiple, 0, 100) * 100, QTextBlockFormat::ProportionalHeight);
        else if (style->lineSpacing > 0)
            format.setLineHeight(sane(style->lineSpacing, 0) * scale_, QTextBlockFormat::LineDistanceHeight);
        else if (style->minimumLineHeight > 0)
            format.setLineHeight(sane(style->minimumLineHeight, 0) * scale_, QTextBlockFormat::MinimumHeight);
        QList<QTextOption::Tab> tabs;
        for (const TabStop& stop : style->tabStops) tabs.append(tabFor(stop, scale_));
        if (!tabs.isEmpty()) format.setTabPositions(tabs);
    }
    format.setProperty(OriginalParagraphProperty, QVariant::fromValue(original));
    return format;
}

// ---- formats to attributes -------------------------------------------------

void TextFormatMapping::readFont(const QTextCharFormat& now, const QTextCharFormat& shown, Attributes& result) const {
    const std::optional<FontAttribute> original = result.get<FontAttribute>(attr::Font);
    FontAttribute font = original.value_or(fallbackFont_);
    bool changed = false;
    bool traitsChanged = false;
    if (now.fontFamilies() != shown.fontFamilies()) {
        const QStringList families = now.fontFamilies().toStringList();
        font.family = families.isEmpty() ? fallbackFont_.family : families.first();
        font.postScriptName = font.family;
        changed = traitsChanged = true;
    }
    if (!same(now.fontPointSize(), shown.fontPointSize())) {
        const double size = now.fontPointSize() / scale_;
        font.pointSize = size > 0 ? std::round(size * 1000) / 1000 : fallbackFont_.pointSize;
        changed = true;
    }
    if (now.fontWeight() != shown.fontWeight()) {
        font.bold = now.fontWeight() >= QFont::DemiBold;
        changed = traitsChanged = true;
    }
    if (now.fontItalic() != shown.fontItalic()) {
        font.italic = now.fontItalic();
        changed = traitsChanged = true;
    }
    if (traitsChanged)
        font.postScriptName = rtffont::faceWithTraits(font.postScriptName.isEmpty() ? font.family : font.postScriptName,
                                                      font.bold, font.italic);
    if (changed) result.set(attr::Font, font);
}

void TextFormatMapping::readBaselineOffset(const QTextCharFormat& now, const QTextCharFormat& shown,
                                           Attributes& result) const {
    if (same(now.baselineOffset(), shown.baselineOffset())) return;
    if (now.baselineOffset() == 0) {
        result.remove(attr::BaselineOffset);
        return;
    }
    const std::optional<FontAttribute> font = result.get<FontAttribute>(attr::Font);
    const double size = font && font->pointSize > 0 ? font->pointSize : fallbackFont_.pointSize;
    result.set(attr::BaselineOffset, now.baselineOffset() * size / 100.0);
}

Attributes TextFormatMapping::attributes(const QTextCharFormat& format) const {
    Attributes result = originalAttributes(format);
    const QTextCharFormat shown = charFormat(result);
    readFont(format, shown, result);
    readBaselineOffset(format, shown, result);
    readColor(format.foreground(), shown.foreground(), result, attr::Color);
    readColor(format.background(), shown.background(), result, attr::BackgroundColor);
    takeIfChanged(format.underlineStyle(), shown.underlineStyle(), result, attr::Underline,
                  [&]() -> std::optional<AttributeValue> {
                      const std::int64_t value = underlineValue(format.underlineStyle());
                      if (value == 0) return std::nullopt;
                      return AttributeValue(value);
                  });
    takeIfChanged(format.fontStrikeOut(), shown.fontStrikeOut(), result, attr::Strikethrough,
                  [&]() -> std::optional<AttributeValue> {
                      if (!format.fontStrikeOut()) return std::nullopt;
                      return AttributeValue(std::int64_t(1));
                  });
    takeIfChanged(format.verticalAlignment(), shown.verticalAlignment(), result, attr::Superscript,
                  [&]() -> std::optional<AttributeValue> {
                      switch (format.verticalAlignment()) {
                      case QTextCharFormat::AlignSuperScript: return AttributeValue(std::int64_t(1));
                      case QTextCharFormat::AlignSubScript: return AttributeValue(std::int64_t(-1));
                      default: return std::nullopt;
                      }
                  });
    const auto anchor = [](const QTextCharFormat& f) { return std::make_pair(f.isAnchor(), f.anchorHref()); };
    takeIfChanged(anchor(format), anchor(shown), result, attr::Link, [&]() -> std::optional<AttributeValue> {
        if (!format.isAnchor() || format.anchorHref().isEmpty()) return std::nullopt;
        const bool urlObject = result.get<LinkAttribute>(attr::Link).value_or(LinkAttribute{}).isUrlObject;
        return LinkAttribute{format.anchorHref(), urlObject};
    });
    return result;
}

std::optional<std::optional<ParagraphStyleAttribute>>
TextFormatMapping::paragraphStyleChange(const QTextBlockFormat& format) const {
    const std::optional<ParagraphStyleAttribute> original =
        originalAttributes(format, OriginalParagraphProperty).get<ParagraphStyleAttribute>(attr::ParagraphStyle);
    const QTextBlockFormat shown = blockFormat(original);
    ParagraphStyleAttribute style = original.value_or(ParagraphStyleAttribute{});
    bool changed = false;
    const auto differs = [&](int property) {
        const bool d = format.property(property) != shown.property(property);
        changed = changed || d;
        return d;
    };
    if (differs(QTextFormat::BlockAlignment)) style.alignment = alignmentOf(format);
    if (differs(QTextFormat::BlockLeftMargin) || differs(QTextFormat::TextIndent)) {
        style.headIndent = format.leftMargin() / scale_;
        style.firstLineHeadIndent = (format.leftMargin() + format.textIndent()) / scale_;
    }
    if (differs(QTextFormat::BlockRightMargin)) style.tailIndent = -format.rightMargin() / scale_;
    if (differs(QTextFormat::BlockTopMargin)) style.paragraphSpacingBefore = format.topMargin() / scale_;
    if (differs(QTextFormat::BlockBottomMargin)) style.paragraphSpacing = format.bottomMargin() / scale_;
    if (differs(QTextFormat::LineHeight) || differs(QTextFormat::LineHeightType)) {
        style.lineHeightMultiple = style.lineSpacing = style.minimumLineHeight = 0;
        switch (format.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight: style.lineHeightMultiple = format.lineHeight() / 100; break;
        case QTextBlockFormat::LineDistanceHeight: style.lineSpacing = format.lineHeight() / scale_; break;
        case QTextBlockFormat::MinimumHeight: style.minimumLineHeight = format.lineHeight() / scale_; break;
        default: break;
        }
    }
    if (differs(QTextFormat::TabPositions)) {
        style.tabStops.clear();
        for (const QTextOption::Tab& tab : format.tabPositions()) style.tabStops.append(tabOf(tab, scale_));
    }
    if (!changed) return std::nullopt;
    // A plain paragraph again is no paragraph style at all.
    if (!original && style == ParagraphStyleAttribute{}) return std::optional<ParagraphStyleAttribute>();
    return std::optional<ParagraphStyleAttribute>(style);
}

}  // namespace fendle
