#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <variant>

namespace fendle {

// Names under which rich text keeps its attributes; they are the names box
// files use, so reading and writing need no translation.
namespace attr {
inline const QString Font = QStringLiteral("NSFont");
inline const QString Color = QStringLiteral("NSColor");
inline const QString BackgroundColor = QStringLiteral("NSBackgroundColor");
inline const QString Underline = QStringLiteral("NSUnderline");
inline const QString Strikethrough = QStringLiteral("NSStrikethrough");
inline const QString Superscript = QStringLiteral("NSSuperScript");
inline const QString BaselineOffset = QStringLiteral("NSBaselineOffset");
inline const QString Link = QStringLiteral("NSLink");
inline const QString Attachment = QStringLiteral("NSAttachment");
inline const QString ParagraphStyle = QStringLiteral("NSParagraphStyle");
}  // namespace attr

// The object replacement character that stands in the text for an attachment.
inline constexpr char16_t AttachmentCharacter = u'\uFFFC';

struct FontAttribute {
    QString family;
    QString postScriptName;
    double pointSize = 12.0;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontAttribute&, const FontAttribute&) = default;
};

struct ColorAttribute {
    enum class Space { CalibratedRGB, DeviceRGB, CalibratedWhite, DeviceWhite, DeviceCMYK, Named };
    Space space = Space::CalibratedRGB;
    // RGB: red, green, blue; white: grey in [0]; CMYK: cyan, magenta, yellow, black.
    double components[4] = {0, 0, 0, 0};
    double alpha = 1.0;
    // Named colours: catalogue and colour name.
    QString catalogName;
    QString colorName;

    static ColorAttribute rgb(double r, double g, double b, double a = 1.0, bool calibrated = true);
    static ColorAttribute grey(double white, double a = 1.0, bool calibrated = true);
    static ColorAttribute cmyk(double c, double m, double y, double k, double a = 1.0);
    static ColorAttribute named(const QString& catalog, const QString& name);
    // Exact equality: the same space and the same stored numbers.
    friend bool operator==(const ColorAttribute&, const ColorAttribute&) = default;

    // Red, green, blue and alpha as the screen shows the colour, each in
    // [0, 1]; none for a named colour, whose look is the system's.
    std::optional<std::array<double, 4>> rgba() const;
    // The same colour however it is given: RGB, grey or CMYK, calibrated or
    // device, and after the rounding a save and a read bring (single
    // precision, eight-bit RTF colour tables). Named colours match by name.
    bool isSameColor(const ColorAttribute& other) const;
};

struct TabStop {
    enum class Type { Left, Right, Center, Decimal };
    Type type = Type::Left;
    double location = 0;
    friend bool operator==(const TabStop&, const TabStop&) = default;
};

struct ParagraphStyleAttribute {
    // Values as the other platform numbers its alignments.
    enum class Alignment { Left = 0, Right = 1, Center = 2, Justified = 3, Natural = 4 };
    Alignment alignment = Alignment::Natural;
    double firstLineHeadIndent = 0;
    double headIndent = 0;
    double tailIndent = 0;
    double lineSpacing = 0;
    double paragraphSpacing = 0;
    double paragraphSpacingBefore = 0;
    double minimumLineHeight = 0;
    double maximumLineHeight = 0;
    double lineHeightMultiple = 0;
    double defaultTabInterval = 0;
    QList<TabStop> tabStops;
    friend bool operator==(const ParagraphStyleAttribute&, const ParagraphStyleAttribute&) = default;
};

struct LinkAttribute {
    QString url;
    // Links can be archived as plain strings or as URL objects; keep which.
    bool isUrlObject = true;
    friend bool operator==(const LinkAttribute&, const LinkAttribute&) = default;
};

struct AttachmentAttribute {
    QString fileName;
    QByteArray contents;
    friend bool operator==(const AttachmentAttribute&, const AttachmentAttribute&) = default;
};

// A value this program does not interpret, kept exactly as it was read
// (format names the reader that made it) so that it can be written back.
struct OpaqueAttribute {
    QString format;
    QByteArray bytes;
    friend bool operator==(const OpaqueAttribute&, const OpaqueAttribute&) = default;
};

using AttributeValue = std::variant<FontAttribute, ColorAttribute, ParagraphStyleAttribute, LinkAttribute,
                                    AttachmentAttribute, std::int64_t, double, QString, OpaqueAttribute>;

// The attributes of one run of characters, kept sorted by name. Copies
// share one map until one of them changes: a box's texts repeat the same
// few sets of attributes thousands of times.
class Attributes {
public:
    using Map = std::map<QString, AttributeValue>;

    bool isEmpty() const { return values().empty(); }
    std::size_t size() const { return values().size(); }
    bool contains(const QString& name) const { return values().count(name) != 0; }
    const AttributeValue* find(const QString& name) const;
    void set(const QString& name, AttributeValue value) { mutableValues()[name] = std::move(value); }
    void remove(const QString& name);
    const Map& values() const;

    template <typename T>
    std::optional<T> get(const QString& name) const {
        const AttributeValue* value = find(name);
        if (!value) return std::nullopt;
        if (const T* typed = std::get_if<T>(value)) return *typed;
        return std::nullopt;
    }

    friend bool operator==(const Attributes& a, const Attributes& b) {
        return a.values_ == b.values_ || a.values() == b.values();
    }

private:
    std::shared_ptr<Map> values_;  // null while empty

    Map& mutableValues();
};

}  // namespace fendle
