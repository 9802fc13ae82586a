#pragma once
#include <QString>

namespace fendle::rtffont {

// RTF names faces by PostScript name ("Helvetica-Bold"); the family is the
// part before the style suffix unless the font table says otherwise.
QString familyFromPostScriptName(const QString& postScriptName);

// The face of the same family with bold and italic as given:
// Helvetica + bold → Helvetica-Bold, Times-Roman + italic → Times-Italic.
QString faceWithTraits(const QString& postScriptName, bool bold, bool italic);
bool isBoldFace(const QString& postScriptName);
bool isItalicFace(const QString& postScriptName);

// The font-family word for a face: \fswiss, \froman, \fmodern or \fnil.
const char* familyWord(const QString& family);

}  // namespace fendle::rtffont
