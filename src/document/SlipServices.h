#pragma once
#include "model/Slip.h"
#include "platform/richtext/RichText.h"

namespace fendle {

class Box;
class UiPort;

// What the system services do to a box: file a new slip made from handed-in
// text, or append text to the current slip; both offer to move a citation
// label into the source first.

// The citation commands looked for, in the order they are tried.
const QStringList& citationCommands();
// Answers the slip's text, with a found citation command replaced by its
// optional argument when the user agrees (the label then becomes the source).
RichText offerToExtractBibTeXStringFromSlipTextToBeInserted(Slip& slip, UiPort& ui);

void createSlipSystemService(Box& box, const SlipPtr& slip);
void appendTextToSlipSystemService(Box& box, const RichText& text);

}  // namespace fendle
