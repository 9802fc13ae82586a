#include "platform/richtext/RtfReader.h"

#include "platform/text/CodePage.h"
#include "platform/richtext/RtfDefaults.h"
#include "platform/richtext/RtfFontNames.h"
#include "platform/richtext/RtfTokenizer.h"

#include <QHash>
#include <cmath>
#include <map>
#include <unordered_map>
#include <vector>

namespace fendle {
namespace {

constexpr std::size_t MaximumTableEntries = 4096;
constexpr qsizetype MaximumInstructionLength = 16 * 1024;
constexpr qsizetype MaximumNameLength = 4096;
constexpr std::size_t MaximumFields = 1 << 20;
// Beyond this many attribute changes the text keeps its characters but no
// further formatting, which bounds memory for hostile input.
constexpr std::size_t MaximumRuns = 100000;

enum class Destination { Text, FontTable, FontAlternative, ColorTable, ExpandedColorTable, FieldInstruction,
                         AttachmentName, UnicodeAlternative, Skip };

struct CharFormat {
    int font = -1;
    double size = 12.0;
    // Unset until \b or \i says otherwise: the face from the font table rules.
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::int64_t underline = 0;
    std::int64_t strike = 0;
    int foreground = 0;
    int background = 0;
    std::int64_t superscript = 0;
    double baselineOffset = 0;
    QString link;
    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct ParagraphFormat {
    ParagraphStyleAttribute style;
    TabStop::Type nextTabType = TabStop::Type::Left;
    int lineSpacingTwips = 0;  // \sl
    bool lineSpacingMultiple = false;
    friend bool operator==(const ParagraphFormat&, const ParagraphFormat&) = default;

    ParagraphStyleAttribute finished() const {
        ParagraphStyleAttribute s = style;
        if (lineSpacingTwips != 0) {
            if (lineSpacingMultiple) {
                s.lineHeightMultiple = lineSpacingTwips / 240.0;
            } else if (lineSpacingTwips > 0) {
                s.minimumLineHeight = rtfdefaults::pointsFromTwips(lineSpacingTwips);
            } else {
                s.minimumLineHeight = s.maximumLineHeight = rtfdefaults::pointsFromTwips(-lineSpacingTwips);
            }
        }
        return s;
    }
};

struct GroupState {
    CharFormat chars;
    ParagraphFormat paragraph;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;  // \uc
    int field = -1;       // index into fields
    bool starred = false; // \* seen, waiting for the destination word
};

struct FontEntry {
    QByteArray nameBytes;
    QByteArray alternativeBytes;
    std::optional<int> codePage;
    QString postScriptName;
    QString family;
};

struct ColorEntry {
    std::optional<ColorAttribute> color;
    int red = -1, green = -1, blue = -1;
};

struct Field {
    QString instruction;
};

struct ExpandedColor {
    enum class Space { None, SRGB, GenericRGB, Gray } space = Space::None;
    std::vector<int> components;
};

// Snaps a component written in 1/100000 to the 8-bit value it stands for,
// so colours made from bytes come back exactly.
double componentFromExpanded(int value) {
    const double v = std::clamp(value / 100000.0, 0.0, 1.0);
    const double scaled = v * 255.0;
    if (std::abs(scaled - std::round(scaled)) < 255.0 * 0.5e-5) return std::round(scaled) / 255.0;
    return v;
}

class Parser {
public:
    Parser(QByteArrayView input, const RtfReader::AttachmentLoader& loader)
        : tokenizer_(input), loader_(loader) {}

    RichText run();

private:
    void handle(const RtfToken& token);
    void openGroup();
    void closeGroup();
    void controlWord(const RtfToken& token);
    bool destinationWord(std::string_view word);
    bool characterWord(std::string_view word, bool has, int value);
    bool paragraphWord(std::string_view word, bool has, int value);
    bool tableWord(std::string_view word, bool has, int value);
    void controlSymbol(char symbol);
    void textByte(unsigned char byte);
    void emitText(const QString& text);
    void emitUnit(char16_t unit);
    void flushBytes();
    void finishFontEntry();
    void finishColorEntry();
    void finishExpandedColorEntry();
    void finishAttachment();
    void beginFieldResult();
    int currentCodePage() const;
    using Format = std::pair<CharFormat, ParagraphFormat>;
    Attributes attributesFor(const GroupState& state) const;
    Attributes cachedAttributes(const Format& format);
    void appendRun(qsizetype length, Attributes attributes);
    bool skippingFallback(const RtfToken& token);

    RtfTokenizer tokenizer_;
    const RtfReader::AttachmentLoader& loader_;
    GroupState state_;
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;
    bool finished_ = false;
    bool sawDocument_ = false;
    bool cocoa_ = false;
    int ansiCodePage_ = codepage::Windows1252;
    int skipRemaining_ = 0;

    std::map<int, FontEntry> fonts_;
    int currentFont_ = -1;
    std::vector<ColorEntry> colors_;
    ColorEntry pendingColor_;
    std::size_t expandedIndex_ = 0;
    ExpandedColor pendingExpanded_;
    std::vector<Field> fields_;
    QByteArray attachmentName_;
    bool attachmentNameDone_ = false;
    int attachmentDepth_ = -1;

    codepage::Decoder decoder_;
    QByteArray pendingBytes_;
    QString text_;
    std::vector<RichText::Run> runs_;
    std::optional<Format> lastRunFormat_;
    std::vector<std::pair<Format, Attributes>> attributeCache_;
};

RichText Parser::run() {
    while (!finished_) {
        const RtfToken token = tokenizer_.next();
        if (token.type == RtfToken::Type::End) break;
        if (skippingFallback(token)) continue;
        handle(token);
    }
    flushBytes();
    // A lone surrogate (from \u words) cannot stand on its own.
    for (qsizetype i = 0; i < text_.size(); ++i) {
        const QChar c = text_[i];
        if (c.isHighSurrogate() && i + 1 < text_.size() && text_[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate()) text_[i] = QChar(0xFFFD);
    }
    return RichText::fromRuns(text_, std::move(runs_));
}

// The characters after \uN that stand in for it in older readers.
bool Parser::skippingFallback(const RtfToken& token) {
    if (skipRemaining_ <= 0) return false;
    if (token.type == RtfToken::Type::GroupStart || token.type == RtfToken::Type::GroupEnd) {
        skipRemaining_ = 0;
        return false;
    }
    --skipRemaining_;
    return true;
}

void Parser::handle(const RtfToken& token) {
    using Type = RtfToken::Type;
    if (overflowDepth_ > 0 && token.type != Type::GroupStart && token.type != Type::GroupEnd) return;
    switch (token.type) {
    case Type::GroupStart: openGroup(); break;
    case Type::GroupEnd: closeGroup(); break;
    case Type::ControlWord: controlWord(token); break;
    case Type::ControlSymbol: controlSymbol(token.symbol); break;
    case Type::Text:
    case Type::HexByte: textByte(token.byte); break;
    case Type::Binary: flushBytes(); break;  // pictures and other data we do not keep
    case Type::End: break;
    }
}

void Parser::openGroup() {
    flushBytes();
    if (overflowDepth_ > 0 || static_cast<int>(stack_.size()) >= RtfReader::MaximumDepth) {
        ++overflowDepth_;
        return;
    }
    stack_.push_back(state_);
    state_.starred = false;
    sawDocument_ = true;
}

void Parser::closeGroup() {
    flushBytes();
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    if (stack_.empty()) {
        finished_ = true;
        return;
    }
    const Destination closing = state_.destination;
    if (closing == Destination::FontTable || closing == Destination::FontAlternative) {
        if (stack_.back().destination != Destination::FontTable && closing == Destination::FontTable) currentFont_ = -1;
    }
    const bool endsAttachment = closing == Destination::AttachmentName &&
                                static_cast<int>(stack_.size()) == attachmentDepth_;
    state_ = std::move(stack_.back());
    stack_.pop_back();
    if (endsAttachment) finishAttachment();
    if (stack_.empty()) finished_ = true;  // the document group is closed; what follows is ignored
}

void Parser::controlSymbol(char symbol) {
    if (state_.destination == Destination::AttachmentName) {
        if (symbol == '\\' || symbol == '{' || symbol == '}') {
            if (!attachmentNameDone_ && attachmentName_.size() < MaximumNameLength) attachmentName_.append(symbol);
        } else {
            attachmentNameDone_ = true;
        }
        return;
    }
    switch (symbol) {
    case '\\':
    case '{':
    case '}': textByte(static_cast<unsigned char>(symbol)); return;
    case '*': state_.starred = true; return;
    default: break;
    }
    flushBytes();
    switch (symbol) {
    case '~': emitUnit(0x00A0); break;
    case '-': emitUnit(0x00AD); break;
    case '_': emitUnit(0x2011); break;
    case '\n': emitUnit(u'\n'); break;
    case '\t': emitUnit(u'\t'); break;
    default: break;
    }
}

void Parser::textByte(unsigned char byte) {
    switch (state_.destination) {
    case Destination::Text:
    case Destination::FieldInstruction:
        if (pendingBytes_.size() > (1 << 16)) flushBytes();
        pendingBytes_.append(static_cast<char>(byte));
        return;
    case Destination::FontTable:
        if (byte == ';') {
            finishFontEntry();
        } else if (currentFont_ >= 0) {
            QByteArray& name = fonts_[currentFont_].nameBytes;
            if (name.size() < MaximumNameLength) name.append(static_cast<char>(byte));
        }
        return;
    case Destination::FontAlternative:
        if (currentFont_ >= 0 && byte != ';') {
            QByteArray& name = fonts_[currentFont_].alternativeBytes;
            if (name.size() < MaximumNameLength) name.append(static_cast<char>(byte));
        }
        return;
    case Destination::ColorTable:
        if (byte == ';') finishColorEntry();
        return;
    case Destination::ExpandedColorTable:
        if (byte == ';') finishExpandedColorEntry();
        return;
    case Destination::AttachmentName:
        if (!attachmentNameDone_ && attachmentName_.size() < MaximumNameLength)
            attachmentName_.append(static_cast<char>(byte));
        return;
    case Destination::UnicodeAlternative:
    case Destination::Skip: return;
    }
}

int Parser::currentCodePage() const {
    const auto it = fonts_.find(state_.chars.font);
    if (it != fonts_.end() && it->second.codePage) return *it->second.codePage;
    return ansiCodePage_;
}

void Parser::flushBytes() {
    if (pendingBytes_.isEmpty()) return;
    const QString decoded = decoder_.decode(pendingBytes_, currentCodePage());
    pendingBytes_.clear();
    emitText(decoded);
}

void Parser::emitUnit(char16_t unit) { emitText(QString(QChar(unit))); }

void Parser::emitText(const QString& text) {
    if (text.isEmpty()) return;
    if (state_.destination == Destination::FieldInstruction) {
        if (state_.field >= 0) {
            QString& instruction = fields_[state_.field].instruction;
            if (instruction.size() < MaximumInstructionLength) instruction.append(text);
        }
        return;
    }
    if (state_.destination != Destination::Text) return;
    const Format format{state_.chars, state_.paragraph};
    const bool mayStartRun = runs_.size() < MaximumRuns || runs_.empty();
    if (mayStartRun && (!lastRunFormat_ || *lastRunFormat_ != format || runs_.empty())) {
        appendRun(0, cachedAttributes(format));
        lastRunFormat_ = format;
    }
    runs_.back().length += text.size();
    text_.append(text);
}

// Text often switches back and forth between a few formats; building their
// attributes once each keeps long documents fast.
Attributes Parser::cachedAttributes(const Format& format) {
    for (const auto& [known, attributes] : attributeCache_)
        if (known == format) return attributes;
    Attributes attributes = attributesFor(state_);
    if (attributeCache_.size() >= 8) attributeCache_.erase(attributeCache_.begin());
    attributeCache_.emplace_back(format, attributes);
    return attributes;
}

void Parser::appendRun(qsizetype length, Attributes attributes) {
    runs_.push_back({length, std::move(attributes)});
}

Attributes Parser::attributesFor(const GroupState& state) const {
    const CharFormat& c = state.chars;
    Attributes a;
    FontAttribute font = rtfdefaults::font();
    if (const auto it = fonts_.find(c.font); it != fonts_.end() && !it->second.postScriptName.isEmpty()) {
        font.postScriptName = it->second.postScriptName;
        font.family = it->second.family;
    }
    // \b and \i pick the matching face of the family, as the text system does.
    font.bold = c.bold.value_or(rtffont::isBoldFace(font.postScriptName));
    font.italic = c.italic.value_or(rtffont::isItalicFace(font.postScriptName));
    font.postScriptName = rtffont::faceWithTraits(font.postScriptName, font.bold, font.italic);
    font.pointSize = c.size;
    a.set(attr::Font, font);
    auto colorAt = [&](int index) -> std::optional<ColorAttribute> {
        if (index <= 0 || index >= static_cast<int>(colors_.size())) return std::nullopt;
        return colors_[index].color;
    };
    if (auto color = colorAt(c.foreground)) a.set(attr::Color, *color);
    // The text system ends a background with its white entry 1.
    if (!(cocoa_ && c.background == 1))
        if (auto color = colorAt(c.background)) a.set(attr::BackgroundColor, *color);
    if (c.underline) a.set(attr::Underline, c.underline);
    if (c.strike) a.set(attr::Strikethrough, c.strike);
    if (c.superscript) a.set(attr::Superscript, c.superscript);
    if (c.baselineOffset != 0) a.set(attr::BaselineOffset, c.baselineOffset);
    if (!c.link.isEmpty()) a.set(attr::Link, LinkAttribute{c.link, true});
    const ParagraphStyleAttribute style = state.paragraph.finished();
    if (!(style == rtfdefaults::paragraphStyle()) && !(style == ParagraphStyleAttribute{}))
        a.set(attr::ParagraphStyle, style);
    return a;
}

void Parser::controlWord(const RtfToken& token) {
    const std::string_view word = token.word;
    const bool has = token.hasParameter;
    const int value = token.parameter;
    const bool starred = state_.starred;
    state_.starred = false;

    if (state_.destination == Destination::AttachmentName) {
        attachmentNameDone_ = true;
        return;
    }
    if (state_.destination == Destination::Skip) return;
    if (state_.destination == Destination::UnicodeAlternative) {
        if (word == "ud") state_.destination = Destination::Text;
        return;
    }
    flushBytes();
    if (destinationWord(word)) return;
    if (starred) {  // an optional destination we do not know: skip the whole group
        state_.destination = Destination::Skip;
        return;
    }
    if (tableWord(word, has, value)) return;
    if (state_.destination != Destination::Text && state_.destination != Destination::FieldInstruction) return;
    if (word == "u") {
        emitUnit(static_cast<char16_t>(value & 0xFFFF));  // negative values are the high half
        skipRemaining_ = state_.unicodeSkip;
        return;
    }
    if (word == "uc") {
        state_.unicodeSkip = std::clamp(value, 0, 16);
        return;
    }
    if (characterWord(word, has, value)) return;
    if (paragraphWord(word, has, value)) return;
    if (word == "rtf") {
        sawDocument_ = true;
    } else if (word == "ansicpg" && has) {
        ansiCodePage_ = value;
    } else if (word == "mac") {
        ansiCodePage_ = codepage::MacRoman;
    } else if (word == "pc") {
        ansiCodePage_ = 437;
    } else if (word == "pca") {
        ansiCodePage_ = 850;
    } else if (word == "cocoartf") {
        cocoa_ = true;
        attributeCache_.clear();
    } else if (word == "field") {
        if (fields_.size() < MaximumFields) {
            fields_.push_back({});
            state_.field = static_cast<int>(fields_.size()) - 1;
        }
    } else if (word == "fldrslt") {
        beginFieldResult();
    } else if (word == "NeXTGraphic") {
        state_.destination = Destination::AttachmentName;
        attachmentName_.clear();
        attachmentNameDone_ = false;
        attachmentDepth_ = static_cast<int>(stack_.size());
        // The rest of the enclosing group (the 0xAC stand-in) is not text,
        // unless that group is the document itself.
        if (stack_.size() >= 3) stack_.back().destination = Destination::Skip;
    }
    // Every other word is ignored; the text around it stays.
}

// Destination words: those we read, and those whose groups are not text.
const std::unordered_map<std::string_view, Destination>& destinationWords() {
    static const std::unordered_map<std::string_view, Destination> words = [] {
        std::unordered_map<std::string_view, Destination> w = {
            {"fonttbl", Destination::FontTable},
            {"colortbl", Destination::ColorTable},
            {"expandedcolortbl", Destination::ExpandedColorTable},
            {"fldinst", Destination::FieldInstruction},
            {"upr", Destination::UnicodeAlternative},
        };
        for (const char* skipped : {"stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "listtable", "listoverridetable", "object", "shp", "shpinst", "shptxt", "annotation", "atnid", "atnauthor", "bkmkstart", "bkmkend", "xe", "tc", "txe", "rxe", "themedata", "colorschememapping", "latentstyles", "datastore", "generator", "nonshppict", "pgdsctbl", "revtbl", "rsidtbl", "xmlnstbl", "mmathPr", "template", "docvar", "fchars", "lchars", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "pntxta", "pntxtb", "userprops", "wgrffmtfilter", "passwordhash", "panose", "NeXTHelpLink", "NeXTHelpMarker", "listpicture", "fldtype", "objdata", "result"})
            w.emplace(skipped, Destination::Skip);
        return w;
    }();
    return words;
}

bool Parser::destinationWord(std::string_view word) {
    if (word == "falt") {
        state_.destination = state_.destination == Destination::FontTable ? Destination::FontAlternative
                                                                           : Destination::Skip;
        return true;
    }
    const auto it = destinationWords().find(word);
    if (it == destinationWords().end()) return false;
    const Destination destination = it->second;
    if (destination == Destination::FontTable) currentFont_ = -1;
    if (destination == Destination::ColorTable) {
        colors_.clear();
        pendingColor_ = {};
    }
    if (destination == Destination::ExpandedColorTable) {
        expandedIndex_ = 0;
        pendingExpanded_ = {};
    }
    state_.destination = destination;
    return true;
}

bool Parser::tableWord(std::string_view word, bool has, int value) {
    switch (state_.destination) {
    case Destination::FontTable:
        if (word == "f" && has) {
            if (fonts_.size() < MaximumTableEntries || fonts_.count(value)) {
                currentFont_ = value;
                fonts_[value] = FontEntry{};
            } else {
                currentFont_ = -1;
            }
        } else if (currentFont_ >= 0 && word == "fcharset" && has) {
            fonts_[currentFont_].codePage = codepage::forCharset(value);
        } else if (currentFont_ >= 0 && word == "cpg" && has) {
            fonts_[currentFont_].codePage = value;
        }
        return true;
    case Destination::ColorTable:
        if (word == "red") pendingColor_.red = std::clamp(value, 0, 255);
        else if (word == "green") pendingColor_.green = std::clamp(value, 0, 255);
        else if (word == "blue") pendingColor_.blue = std::clamp(value, 0, 255);
        return true;
    case Destination::ExpandedColorTable:
        if (word == "cssrgb") pendingExpanded_.space = ExpandedColor::Space::SRGB;
        else if (word == "csgenericrgb") pendingExpanded_.space = ExpandedColor::Space::GenericRGB;
        else if (word == "csgray") pendingExpanded_.space = ExpandedColor::Space::Gray;
        else if (word == "c" && has && pendingExpanded_.components.size() < 4) pendingExpanded_.components.push_back(value);
        return true;
    case Destination::FontAlternative: return true;
    default: return false;
    }
}

void Parser::finishFontEntry() {
    attributeCache_.clear();
    if (currentFont_ < 0) return;
    FontEntry& entry = fonts_[currentFont_];
    const int codePage = entry.codePage.value_or(ansiCodePage_);
    entry.postScriptName = decoder_.decode(entry.nameBytes, codePage).trimmed();
    const QString alternative = decoder_.decode(entry.alternativeBytes, codePage).trimmed();
    entry.family = alternative.isEmpty() ? rtffont::familyFromPostScriptName(entry.postScriptName) : alternative;
    // A symbol font's name is plain text, but its characters are symbols.
    if (entry.codePage == codepage::Symbol && entry.postScriptName.isEmpty()) entry.postScriptName = "Symbol";
}

void Parser::finishColorEntry() {
    attributeCache_.clear();
    if (colors_.size() >= MaximumTableEntries) return;
    ColorEntry entry = pendingColor_;
    if (entry.red >= 0 || entry.green >= 0 || entry.blue >= 0)
        entry.color = ColorAttribute::rgb(std::max(entry.red, 0) / 255.0, std::max(entry.green, 0) / 255.0,
                                          std::max(entry.blue, 0) / 255.0);
    colors_.push_back(entry);
    pendingColor_ = {};
}

void Parser::finishExpandedColorEntry() {
    attributeCache_.clear();
    const ExpandedColor e = std::exchange(pendingExpanded_, {});
    const std::size_t index = expandedIndex_++;
    if (index >= colors_.size() || e.space == ExpandedColor::Space::None) return;
    std::vector<double> c;
    for (int v : e.components) c.push_back(componentFromExpanded(v));
    const std::size_t needed = e.space == ExpandedColor::Space::Gray ? 1 : 3;
    if (c.size() < needed) return;
    const double alpha = c.size() > needed ? c[needed] : 1.0;
    switch (e.space) {
    case ExpandedColor::Space::Gray: colors_[index].color = ColorAttribute::grey(c[0], alpha); break;
    case ExpandedColor::Space::GenericRGB: colors_[index].color = ColorAttribute::rgb(c[0], c[1], c[2], alpha); break;
    case ExpandedColor::Space::SRGB: colors_[index].color = ColorAttribute::rgb(c[0], c[1], c[2], alpha, false); break;
    case ExpandedColor::Space::None: break;
    }
}

bool Parser::characterWord(std::string_view w, bool has, int value) {
    CharFormat& c = state_.chars;
    const bool on = !has || value != 0;
    if (w == "f") c.font = value;
    else if (w == "fs") c.size = has && value > 0 ? std::min(value, 20000) / 2.0 : 12.0;
    else if (w == "fsmilli") { if (value > 0) c.size = std::min(value, 10000000) / 1000.0; }
    else if (w == "b") c.bold = on;
    else if (w == "i") c.italic = on;
    else if (w == "ul") c.underline = on ? 1 : 0;
    else if (w == "ulnone") c.underline = 0;
    else if (w == "uldb") c.underline = 9;
    else if (w == "ulth" || w == "ulthd" || w == "ulthdash") c.underline = 2;
    else if (w == "uld") c.underline = 1 | 0x100;
    else if (w == "uldash") c.underline = 1 | 0x200;
    else if (w == "uldashd") c.underline = 1 | 0x300;
    else if (w == "uldashdd") c.underline = 1 | 0x400;
    else if (w == "ulw") c.underline = 1 | 0x8000;
    else if (w == "ulwave") c.underline = 1;
    else if (w == "ulstyle") c.underline = value;
    else if (w == "strike") c.strike = on ? 1 : 0;
    else if (w == "striked") c.strike = on ? 9 : 0;
    else if (w == "strikestyle") c.strike = value;
    else if (w == "cf") c.foreground = value;
    else if (w == "cb" || w == "highlight") c.background = value;
    else if (w == "super") c.superscript = has && value > 0 ? value : 1;
    else if (w == "sub") c.superscript = has && value > 0 ? -value : -1;
    else if (w == "nosupersub") c.superscript = 0;
    else if (w == "up") c.baselineOffset = (has ? value : 6) / 2.0;
    else if (w == "dn") c.baselineOffset = -(has ? value : 6) / 2.0;
    else if (w == "plain") { const QString link = c.link; c = CharFormat{}; c.link = link; }
    else if (w == "par" || w == "sect") emitUnit(u'\n');
    else if (w == "line") emitUnit(0x2028);
    else if (w == "page") emitUnit(u'\f');
    else if (w == "tab") emitUnit(u'\t');
    else if (w == "emdash") emitUnit(0x2014);
    else if (w == "endash") emitUnit(0x2013);
    else if (w == "bullet") emitUnit(0x2022);
    else if (w == "lquote") emitUnit(0x2018);
    else if (w == "rquote") emitUnit(0x2019);
    else if (w == "ldblquote") emitUnit(0x201C);
    else if (w == "rdblquote") emitUnit(0x201D);
    else if (w == "emspace") emitUnit(0x2003);
    else if (w == "enspace") emitUnit(0x2002);
    else if (w == "qmspace") emitUnit(0x2005);
    else if (w == "zwj") emitUnit(0x200D);
    else if (w == "zwnj") emitUnit(0x200C);
    else if (w == "ltrmark") emitUnit(0x200E);
    else if (w == "rtlmark") emitUnit(0x200F);
    else return false;
    return true;
}

bool Parser::paragraphWord(std::string_view w, bool has, int value) {
    ParagraphFormat& p = state_.paragraph;
    ParagraphStyleAttribute& s = p.style;
    using Alignment = ParagraphStyleAttribute::Alignment;
    const double points = rtfdefaults::pointsFromTwips(std::clamp(value, -1000000, 1000000));
    if (w == "pard") p = ParagraphFormat{};
    else if (w == "ql") s.alignment = Alignment::Left;
    else if (w == "qc") s.alignment = Alignment::Center;
    else if (w == "qr") s.alignment = Alignment::Right;
    else if (w == "qj") s.alignment = Alignment::Justified;
    else if (w == "qnatural") s.alignment = Alignment::Natural;
    else if (w == "li") { const double first = s.firstLineHeadIndent - s.headIndent; s.headIndent = points; s.firstLineHeadIndent = points + first; }
    else if (w == "fi") s.firstLineHeadIndent = s.headIndent + points;
    else if (w == "ri") s.tailIndent = -points;
    else if (w == "sb") s.paragraphSpacingBefore = points;
    else if (w == "sa") s.paragraphSpacing = points;
    else if (w == "sl") p.lineSpacingTwips = std::clamp(value, -100000, 100000);
    else if (w == "slmult") p.lineSpacingMultiple = !has || value != 0;
    else if (w == "slleading") s.lineSpacing = points;
    else if (w == "slmaximum") s.maximumLineHeight = points;
    else if (w == "slminimum") s.minimumLineHeight = points;
    else if (w == "pardeftab") s.defaultTabInterval = points;
    else if (w == "tqr") p.nextTabType = TabStop::Type::Right;
    else if (w == "tqc") p.nextTabType = TabStop::Type::Center;
    else if (w == "tqdec") p.nextTabType = TabStop::Type::Decimal;
    else if (w == "tx") {
        if (s.tabStops.size() < 1000) s.tabStops.append(TabStop{p.nextTabType, points});
        p.nextTabType = TabStop::Type::Left;
    } else return false;
    return true;
}

// HYPERLINK "address" with optional switches; \l adds an anchor.
QString linkFromInstruction(const QString& instruction) {
    qsizetype i = 0;
    const qsizetype n = instruction.size();
    auto skipSpaces = [&] { while (i < n && instruction[i].isSpace()) ++i; };
    auto readArgument = [&]() -> QString {
        skipSpaces();
        QString value;
        if (i < n && instruction[i] == u'"') {
            for (++i; i < n && instruction[i] != u'"'; ++i) {
                if (instruction[i] == u'\\' && i + 1 < n) ++i;  // a doubled backslash stands for one
                value.append(instruction[i]);
            }
            ++i;
        } else {
            while (i < n && !instruction[i].isSpace()) value.append(instruction[i++]);
        }
        return value;
    };
    skipSpaces();
    const QString keyword = QStringLiteral("HYPERLINK");
    if (instruction.mid(i, keyword.size()).compare(keyword, Qt::CaseInsensitive) != 0) return {};
    i += keyword.size();
    QString address;
    QString anchor;
    while (true) {
        skipSpaces();
        if (i >= n) break;
        if (instruction[i] == u'\\' && i + 1 < n) {
            const QChar option = instruction[i + 1];
            i += 2;
            if (option == u'l') anchor = readArgument();
            else if (option == u'o' || option == u't') readArgument();
            continue;
        }
        const QString argument = readArgument();
        if (address.isEmpty()) address = argument;
    }
    if (!anchor.isEmpty()) address += u'#' + anchor;
    return address;
}

void Parser::beginFieldResult() {
    state_.destination = Destination::Text;
    if (state_.field < 0) return;
    const QString link = linkFromInstruction(fields_[state_.field].instruction);
    if (!link.isEmpty()) state_.chars.link = link;
}

void Parser::finishAttachment() {
    const QString name = QString::fromUtf8(attachmentName_).trimmed();
    attachmentName_.clear();
    attachmentDepth_ = -1;
    if (name.isEmpty()) return;
    AttachmentAttribute attachment{name, {}};
    if (loader_)
        if (std::optional<QByteArray> contents = loader_(name)) attachment.contents = std::move(*contents);
    // The enclosing group skips its text now, but the attachment belongs to
    // the text with the formatting in force there.
    GroupState textState = state_;
    textState.destination = Destination::Text;
    Attributes attributes = attributesFor(textState);
    attributes.set(attr::Attachment, attachment);
    text_.append(QChar(AttachmentCharacter));
    if (runs_.size() >= MaximumRuns) {
        runs_.back().length += 1;
        return;
    }
    appendRun(1, std::move(attributes));
    lastRunFormat_.reset();
}

}  // namespace

Result<RichText> RtfReader::read(QByteArrayView rtf, const AttachmentLoader& loader) {
    if (!looksLikeRtf(rtf)) return Result<RichText>::failure(QStringLiteral("The data is not RTF."));
    if (rtf.size() > MaximumInputSize) return Result<RichText>::failure(QStringLiteral("The RTF data is too large."));
    Parser parser(rtf, loader);
    return parser.run();
}

bool RtfReader::looksLikeRtf(QByteArrayView bytes) {
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

}  // namespace fendle
