#pragma once
#include "model/Slip.h"
#include "platform/richtext/TextAttributes.h"

namespace fendle {

class Box;

// "Change Text Font": the whole text of the current slip takes a font (a
// new slip text font in the preferences); undoing puts the text back.
class ChangeTextFontCommand {
public:
    static void perform(Box& box, const FontAttribute& font);
    // The text of slip before a change made elsewhere.
    static void record(Box& box, const RichText& textBefore, const SlipPtr& slip);

private:
    static void undo(Box& box, const RichText& text, const SlipPtr& slip);
};

}  // namespace fendle
