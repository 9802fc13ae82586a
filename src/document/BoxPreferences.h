#pragma once
#include "platform/richtext/TextAttributes.h"

namespace fendle {

// The preferences a box works by. The program answers them from its
// preference set; they are read when used, so a change applies at once.
class BoxPreferences {
public:
    virtual ~BoxPreferences() = default;
    // "SlipTextFont": new and emptied slip texts start in it.
    virtual FontAttribute slipTextFont() const = 0;
    // "CheckSpellingAsYouType", applied to the slip text whenever a slip is shown.
    virtual bool checkSpellingAsYouType() const = 0;
    // "SaveBackup": saving keeps the previous file beside the new one.
    virtual bool keepBackupFile() const = 0;
    // "HighlightColour": the background the highlight command gives text.
    virtual ColorAttribute highlightColour() const = 0;
    // "TabSwitchesToKeywords": Tab in the slip text moves on to the keywords.
    virtual bool tabSwitchesToKeywords() const = 0;
    // "AddKeywordToBoxSearch": a keyword taken into the search joins the
    // rules there instead of starting a new search.
    virtual bool addKeywordToBoxSearch() const = 0;
};

}  // namespace fendle
