#pragma once
#include "platform/richtext/RichText.h"

#include <QString>
#include <QStringList>

namespace fendle {

// Slip links as text leaving a slip and coming into one carries them:
// "fendle://KEY.self" inside a box, "fendle://KEY::BOXURL" outside it.
namespace sliplinks {

QString internalSlipLinkString(const QString& key);
QString externalSlipLinkString(const QString& key, const QString& boxUrlString);

// Leaving a box: internal links become external links into the box at
// boxUrlString; every other link stays as it is.
RichText replaceInternalSlipLinks(const RichText& text, const QString& boxUrlString);

// Coming in: external links whose box part is one of ownBoxUrlStrings (the
// names of the receiving box) become internal; links into other boxes stay
// external. The box part is compared as a string, not as a path.
RichText replaceExternalSlipLinks(const RichText& text, const QStringList& ownBoxUrlStrings);

}  // namespace sliplinks
}  // namespace fendle
