#pragma once
#include <QString>

namespace fendle::rtffont {

// RTF names faces by PostScript name ("Helvetica-Bold"); the family is the
// part before the style suffix unless the font table says otherwise.
QString familyFromPostScriptName(const QString& postScriptName);

// The font-family word for a face: \fswiss, \froman, \fmodern or \fnil.
const char* familyWord(const QString& family);

}  // namespace fendle::rtffont
