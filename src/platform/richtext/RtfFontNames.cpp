#include "platform/richtext/RtfFontNames.h"

namespace fendle::rtffont {

QString familyFromPostScriptName(const QString& postScriptName) {
    const qsizetype dash = postScriptName.indexOf(u'-');
    return dash > 0 ? postScriptName.left(dash) : postScriptName;
}

namespace {
QString styleOf(const QString& name) {
    const qsizetype dash = name.indexOf(u'-');
    return dash > 0 ? name.mid(dash + 1) : QString();
}
}  // namespace

bool isBoldFace(const QString& name) { return styleOf(name).contains(u"Bold"); }

bool isItalicFace(const QString& name) {
    const QString style = styleOf(name);
    return style.contains(u"Italic") || style.contains(u"Oblique");
}

QString faceWithTraits(const QString& name, bool bold, bool italic) {
    if (isBoldFace(name) == bold && isItalicFace(name) == italic) return name;
    const QString family = familyFromPostScriptName(name);
    QString style = styleOf(name);
    const bool oblique = style.contains(u"Oblique") || family == u"Helvetica" || family == u"Courier";
    for (const char* part : {"Bold", "Italic", "Oblique", "Roman", "Regular", "Plain", "Medium"})
        style.remove(QLatin1String(part));
    if (bold) style.prepend(u"Bold");
    if (italic) style.append(oblique ? u"Oblique" : u"Italic");
    return style.isEmpty() ? family : family + u'-' + style;
}

const char* familyWord(const QString& family) {
    const QString f = family.toLower();
    if (f.startsWith(u"helvetica") && !f.startsWith(u"helveticaneue") && !f.startsWith(u"helvetica neue"))
        return "fswiss";
    if (f.startsWith(u"arial")) return "fswiss";
    if (f.startsWith(u"times") || f.startsWith(u"palatino")) return "froman";
    if (f.startsWith(u"courier")) return "fmodern";
    return "fnil";
}

}  // namespace fendle::rtffont
