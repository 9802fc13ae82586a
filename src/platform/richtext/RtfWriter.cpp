#include "platform/richtext/RtfWriter.h"

#include "platform/text/CodePage.h"
#include "platform/richtext/RtfDefaults.h"
#include "platform/richtext/RtfFontNames.h"

#include <QHash>
#include <cmath>
#include <optional>

namespace fendle {
namespace {

struct WrittenFormat {
    int font = -1;
    double size = -1;
    bool bold = false;
    bool italic = false;
    int foreground = -1;
    int background = 0;
    std::int64_t underline = 0;
    std::int64_t strike = 0;
    std::int64_t superscript = 0;
    double baselineOffset = 0;
};

QByteArray number(long long value) { return QByteArray::number(value); }

long long rounded(double value) { return std::llround(value); }

// Addresses go into the instruction verbatim, so everything that RTF or the
// quotes would change is percent-encoded.
QByteArray encodedAddress(const QString& url) {
    QByteArray out;
    for (char b : url.toUtf8()) {
        const unsigned char c = static_cast<unsigned char>(b);
        if (c <= 0x20 || c >= 0x7F || c == '"' || c == '\\' || c == '{' || c == '}')
            out.append('%').append(QByteArray::number(c, 16).toUpper().rightJustified(2, '0'));
        else
            out.append(static_cast<char>(c));
    }
    return out;
}

class Writer {
public:
    Writer(const RichText& text, const QStringList* attachmentNames) : text_(text), attachmentNames_(attachmentNames) {}
    QByteArray run();

private:
    void collectTables();
    int fontIndex(const FontAttribute& font);
    int colorIndex(const ColorAttribute& color);
    void writeHeader();
    void writeBody();
    void writeParagraphStyle(const ParagraphStyleAttribute& style);
    void writeFormat(const Attributes& attributes);
    void writeCharacter(const QString& s, qsizetype& i, const Attributes& attributes);
    void writeUnicode(char16_t unit);
    void writeAttachment();
    void openLink(const QString& url);
    void ensureParagraphStyle();
    void closeLink();

    const RichText& text_;
    const QStringList* attachmentNames_;
    QByteArray out_;
    QList<FontAttribute> fonts_;
    QList<ColorAttribute> colors_;
    WrittenFormat format_;
    std::optional<ParagraphStyleAttribute> paragraph_;  // as the reader has it now
    ParagraphStyleAttribute currentStyle_;              // of the paragraph being written
    bool ucWritten_ = false;
    std::optional<QString> openLink_;
    WrittenFormat formatBeforeLink_;
    std::optional<ParagraphStyleAttribute> paragraphBeforeLink_;
    int attachmentsWritten_ = 0;
};

FontAttribute fontOf(const Attributes& attributes) {
    return attributes.get<FontAttribute>(attr::Font).value_or(rtfdefaults::font());
}

// The face that shows the font's traits, so that readers that go by the
// name and readers that go by \\b and \\i agree.
QString faceName(const FontAttribute& font) {
    const QString name = font.postScriptName.isEmpty() ? font.family : font.postScriptName;
    return rtffont::faceWithTraits(name, font.bold, font.italic);
}

int Writer::fontIndex(const FontAttribute& font) {
    for (int i = 0; i < fonts_.size(); ++i)
        if (faceName(fonts_[i]) == faceName(font) && fonts_[i].family == font.family) return i;
    fonts_.append(font);
    return static_cast<int>(fonts_.size()) - 1;
}

// Entries 0 (automatic) and 1 (white) are fixed; used colours follow.
int Writer::colorIndex(const ColorAttribute& color) {
    const qsizetype at = colors_.indexOf(color);
    if (at >= 0) return static_cast<int>(at) + 2;
    colors_.append(color);
    return static_cast<int>(colors_.size()) + 1;
}

void Writer::collectTables() {
    for (const RichText::Run& run : text_.runs()) {
        fontIndex(fontOf(run.attributes));
        if (auto c = run.attributes.get<ColorAttribute>(attr::Color)) colorIndex(*c);
        if (auto c = run.attributes.get<ColorAttribute>(attr::BackgroundColor)) colorIndex(*c);
    }
    if (fonts_.isEmpty()) fonts_.append(rtfdefaults::font());
}

// Named colours have no components of their own here; they are written black.
std::array<double, 3> rgbOf(const ColorAttribute& c) {
    const auto rgba = c.rgba().value_or(std::array<double, 4>{0, 0, 0, 1});
    return {rgba[0], rgba[1], rgba[2]};
}

QByteArray expandedEntry(const ColorAttribute& c) {
    using Space = ColorAttribute::Space;
    auto component = [](double v) { return "\\c" + number(rounded(std::clamp(v, 0.0, 1.0) * 100000)); };
    QByteArray entry;
    if (c.space == Space::CalibratedWhite || c.space == Space::DeviceWhite) {
        entry = "\\csgray" + component(c.components[0]);
    } else {
        const auto rgb = rgbOf(c);
        entry = c.space == Space::CalibratedRGB ? "\\csgenericrgb" : "\\cssrgb";
        for (double v : rgb) entry += component(v);
    }
    if (c.alpha != 1.0) entry += component(c.alpha);
    return entry + ';';
}

void Writer::writeHeader() {
    out_ += "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2822\n\\cocoatextscaling0\\cocoaplatform0{\\fonttbl";
    for (int i = 0; i < fonts_.size(); ++i) {
        const FontAttribute& font = fonts_[i];
        const QString name = faceName(font);
        out_ += "\\f" + number(i) + '\\' + rtffont::familyWord(font.family) + "\\fcharset0 ";
        for (QChar c : name)
            if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u';' && c != u'\\' && c != u'{' && c != u'}')
                out_ += static_cast<char>(c.unicode());
        // Faces keep their PostScript name; a family the name does not tell
        // travels as the alternative name.
        if (!font.family.isEmpty() && font.family != rtffont::familyFromPostScriptName(name)) {
            out_ += "{\\*\\falt ";
            for (QChar c : font.family)
                if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u';' && c != u'\\' && c != u'{' && c != u'}')
                    out_ += static_cast<char>(c.unicode());
            out_ += '}';
        }
        out_ += ';';
    }
    out_ += "}\n{\\colortbl;\\red255\\green255\\blue255;";
    for (const ColorAttribute& c : colors_) {
        const auto rgb = rgbOf(c);
        auto byte = [](double v) { return number(rounded(std::clamp(v, 0.0, 1.0) * 255)); };
        out_ += "\\red" + byte(rgb[0]) + "\\green" + byte(rgb[1]) + "\\blue" + byte(rgb[2]) + ';';
    }
    out_ += "}\n{\\*\\expandedcolortbl;;";
    for (const ColorAttribute& c : colors_) out_ += expandedEntry(c);
    out_ += "}\n";
}

void Writer::writeParagraphStyle(const ParagraphStyleAttribute& s) {
    auto twips = [](double points) { return number(rtfdefaults::twipsFromPoints(points)); };
    out_ += "\\pard";
    for (const TabStop& tab : s.tabStops) {
        if (tab.type == TabStop::Type::Right) out_ += "\\tqr";
        else if (tab.type == TabStop::Type::Center) out_ += "\\tqc";
        else if (tab.type == TabStop::Type::Decimal) out_ += "\\tqdec";
        out_ += "\\tx" + twips(tab.location);
    }
    if (s.defaultTabInterval != 0) out_ += "\\pardeftab" + twips(s.defaultTabInterval);
    if (s.headIndent != 0) out_ += "\\li" + twips(s.headIndent);
    if (s.firstLineHeadIndent != s.headIndent) out_ += "\\fi" + twips(s.firstLineHeadIndent - s.headIndent);
    if (s.tailIndent != 0) out_ += "\\ri" + twips(-s.tailIndent);
    if (s.lineHeightMultiple != 0) out_ += "\\sl" + number(rounded(s.lineHeightMultiple * 240)) + "\\slmult1";
    if (s.minimumLineHeight != 0) out_ += "\\slminimum" + twips(s.minimumLineHeight);
    if (s.maximumLineHeight != 0) out_ += "\\slmaximum" + twips(s.maximumLineHeight);
    if (s.lineSpacing != 0) out_ += "\\slleading" + twips(s.lineSpacing);
    if (s.paragraphSpacingBefore != 0) out_ += "\\sb" + twips(s.paragraphSpacingBefore);
    if (s.paragraphSpacing != 0) out_ += "\\sa" + twips(s.paragraphSpacing);
    out_ += "\\pardirnatural";
    using Alignment = ParagraphStyleAttribute::Alignment;
    switch (s.alignment) {
    case Alignment::Left: out_ += "\\ql"; break;
    case Alignment::Right: out_ += "\\qr"; break;
    case Alignment::Center: out_ += "\\qc"; break;
    case Alignment::Justified: out_ += "\\qj"; break;
    case Alignment::Natural: break;
    }
    out_ += "\\partightenfactor0\n";
}

void Writer::writeFormat(const Attributes& a) {
    WrittenFormat want = format_;
    const FontAttribute font = fontOf(a);
    want.font = fontIndex(font);
    want.size = font.pointSize;
    want.bold = font.bold;
    want.italic = font.italic;
    auto indexOf = [&](const QString& name) {
        const std::optional<ColorAttribute> color = a.get<ColorAttribute>(name);
        return color ? colorIndex(*color) : 0;
    };
    want.foreground = indexOf(attr::Color);
    want.background = indexOf(attr::BackgroundColor);
    want.underline = a.get<std::int64_t>(attr::Underline).value_or(0);
    want.strike = a.get<std::int64_t>(attr::Strikethrough).value_or(0);
    want.superscript = a.get<std::int64_t>(attr::Superscript).value_or(0);
    want.baselineOffset = a.get<double>(attr::BaselineOffset).value_or(0);

    QByteArray words;
    if (want.font != format_.font || want.size != format_.size || want.bold != format_.bold || want.italic != format_.italic) {
        if (!out_.endsWith('\n')) words += '\n';
        if (want.font != format_.font) words += "\\f" + number(want.font);
        if (want.bold != format_.bold || format_.font < 0) words += want.bold ? "\\b" : "\\b0";
        if (want.italic != format_.italic || format_.font < 0) words += want.italic ? "\\i" : "\\i0";
        if (want.size != format_.size) {
            const double halfPoints = want.size * 2;
            words += "\\fs" + number(rounded(halfPoints));
            if (halfPoints != std::round(halfPoints)) words += "\\fsmilli" + number(rounded(want.size * 1000));
        }
        words += ' ';
    }
    if (want.foreground != format_.foreground) words += "\\cf" + number(want.foreground) + ' ';
    if (want.background != format_.background) words += "\\cb" + number(want.background ? want.background : 1) + ' ';
    if (want.underline != format_.underline) {
        if (want.underline == 0) words += "\\ulnone ";
        else if (want.underline == 1) words += "\\ul ";
        else words += "\\ul\\ulstyle" + number(want.underline) + ' ';
    }
    if (want.strike != format_.strike) {
        if (want.strike == 0) words += "\\strike0\\striked0 ";
        else if (want.strike == 1) words += "\\strike ";
        else words += "\\strike\\strikestyle" + number(want.strike) + ' ';
    }
    if (want.superscript != format_.superscript) {
        if (want.superscript == 0) words += "\\nosupersub ";
        else if (want.superscript > 0) words += "\\super" + (want.superscript == 1 ? QByteArray() : number(want.superscript)) + ' ';
        else words += "\\sub" + (want.superscript == -1 ? QByteArray() : number(-want.superscript)) + ' ';
    }
    if (want.baselineOffset != format_.baselineOffset) {
        const long long halfPoints = rounded(want.baselineOffset * 2);
        words += (halfPoints < 0 ? "\\dn" + number(-halfPoints) : "\\up" + number(halfPoints)) + ' ';
    }
    out_ += words;
    format_ = want;
}

void Writer::writeUnicode(char16_t unit) {
    if (!ucWritten_) out_ += "\\uc0";
    ucWritten_ = true;
    out_ += "\\u" + number(unit) + ' ';
}

void Writer::writeAttachment() {
    if (!attachmentNames_ || attachmentsWritten_ >= attachmentNames_->size()) return;
    const QByteArray name = attachmentNames_->at(attachmentsWritten_++).toUtf8();
    out_ += "{{\\NeXTGraphic ";
    for (char b : name) {
        const unsigned char c = static_cast<unsigned char>(b);
        if (c == '\\' || c == '{' || c == '}') out_ += '\\';
        if (c >= 0x80) out_ += "\\'" + QByteArray::number(c, 16).rightJustified(2, '0');
        else out_ += static_cast<char>(c);
    }
    out_ += " \\appleattachmentpadding0 \\appleembedtype0 \\appleaqc\n}\xAC}";
}

void Writer::writeCharacter(const QString& s, qsizetype& i, const Attributes& attributes) {
    const char16_t c = s[i].unicode();
    switch (c) {
    case u'\\': out_ += "\\\\"; return;
    case u'{': out_ += "\\{"; return;
    case u'}': out_ += "\\}"; return;
    case u'\t': out_ += '\t'; return;
    case u'\n': out_ += "\\\n"; return;
    case u'\f': out_ += "\\page\n"; return;  // as the reader takes it: a page break
    case AttachmentCharacter:
        if (attributes.contains(attr::Attachment)) writeAttachment();
        return;
    default: break;
    }
    if (c >= 0x20 && c < 0x7F) {
        out_ += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
        return;  // other control characters have no place in RTF text
    } else if (const auto byte = codepage::encodeWindows1252(c)) {
        out_ += "\\'" + QByteArray::number(*byte, 16).rightJustified(2, '0');
    } else {
        writeUnicode(c);
    }
}

void Writer::openLink(const QString& url) {
    formatBeforeLink_ = format_;
    paragraphBeforeLink_ = paragraph_;
    out_ += "{\\field{\\*\\fldinst{HYPERLINK \"" + encodedAddress(url) + "\"}}{\\fldrslt ";
    openLink_ = url;
    ucWritten_ = false;
}

// The group ends the link's formatting; the reader is back where it was.
void Writer::closeLink() {
    if (!openLink_) return;
    out_ += "}}";
    format_ = formatBeforeLink_;
    paragraph_ = paragraphBeforeLink_;
    openLink_.reset();
    ucWritten_ = false;
}

// Paragraph words stand outside link groups where they can, and are written
// again after a group that ended them, because a group scopes them.
void Writer::ensureParagraphStyle() {
    if (paragraph_ && *paragraph_ == currentStyle_) return;
    if (!out_.endsWith('\n')) out_ += '\n';
    writeParagraphStyle(currentStyle_);
    paragraph_ = currentStyle_;
}

void Writer::writeBody() {
    const QString& s = text_.string();
    qsizetype start = 0;
    bool paragraphStart = true;
    auto beginParagraph = [&](const Attributes& a) {
        currentStyle_ = a.get<ParagraphStyleAttribute>(attr::ParagraphStyle).value_or(rtfdefaults::paragraphStyle());
        paragraphStart = false;
    };
    for (const RichText::Run& run : text_.runs()) {
        const Attributes& a = run.attributes;
        const std::optional<LinkAttribute> link = a.get<LinkAttribute>(attr::Link);
        const std::optional<QString> url = link ? std::optional<QString>(link->url) : std::nullopt;
        if (openLink_ != url) closeLink();
        if (paragraphStart) beginParagraph(a);
        ensureParagraphStyle();
        if (url && !openLink_) openLink(*url);
        ucWritten_ = false;
        bool formatWritten = false;
        for (qsizetype i = start; i < start + run.length; ++i) {
            if (paragraphStart) {
                beginParagraph(a);
                ensureParagraphStyle();
            }
            if (!formatWritten) {
                writeFormat(a);
                formatWritten = true;
            }
            writeCharacter(s, i, a);
            if (s[i] == u'\n') paragraphStart = true;
        }
        start += run.length;
    }
    closeLink();
}

QByteArray Writer::run() {
    collectTables();
    writeHeader();
    writeBody();
    out_ += '}';
    return out_;
}

}  // namespace

QByteArray RtfWriter::write(const RichText& text) { return Writer(text, nullptr).run(); }

QByteArray RtfWriter::writeWithAttachments(const RichText& text, const QStringList& attachmentFileNames) {
    return Writer(text, &attachmentFileNames).run();
}

}  // namespace fendle
