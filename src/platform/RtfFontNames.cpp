#include "platform/RtfFontNames.h"

namespace fendle::rtffont {

QString familyFromPostScriptName(const QString& postScriptName) {
    const qsizetype dash = postScriptName.indexOf(u'-');
    return dash > 0 ? postScriptName.left(dash) : postScriptName;
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
