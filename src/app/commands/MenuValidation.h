#pragma once
#include <QString>

namespace fendle {

class Box;
struct BoxWindowContext;

// Which box menu items are enabled, recognised by their titles: the text
// styles first, then nothing under a modal window, then each command's own
// rule from the command table.
class MenuValidation {
public:
    static bool validateMenuItem(const QString& title, const BoxWindowContext& context);
    // The log lines for a box without a proper current slip.
    static void logCurrentSlipConsistency(const Box& box);
};

}  // namespace fendle
