#pragma once
#include <QString>

namespace fendle {

// Slip links in RTF source text, as text dragged out of a slip and dropped
// into one carries them: HYPERLINK fields whose addresses are
// "fendle://KEY.self" inside a box and "fendle://KEY::BOXURL" outside it.
namespace sliplinks {

QString internalSlipLinkString(const QString& key);
QString externalSlipLinkString(const QString& key, const QString& boxUrlString);

// Dragging out: internal links become external links into the box at
// boxUrlString; external links stay as they are.
QString replaceInternalSlipLinksInRTFString(const QString& rtf, const QString& boxUrlString);

// Dropping in: external links into the box at boxUrlString become internal
// links; links into other boxes stay external.
QString replaceExternalSlipLinksInRTFString(const QString& rtf, const QString& boxUrlString);

}  // namespace sliplinks
}  // namespace fendle
