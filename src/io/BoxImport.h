#pragma once
#include "model/BoxData.h"
#include "platform/system/Result.h"

#include <QList>

namespace fendle {

// The slips of another box, renumbered to follow a box's last number
// (offset), with the links between them kept working. Only the text,
// keywords, source and type travel; the copies are new slips.
Result<QList<SlipPtr>> importedSlipsOfBox(const BoxData& source, quint32 offset);

// A slip text's links into its own box ("fendle://N.self") point at N plus
// offset, and the linked characters read the new number. Links into other
// boxes and any other links stay as they are.
RichText renumberSlipLinks(const RichText& text, quint32 offset);

}  // namespace fendle
