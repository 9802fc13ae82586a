#pragma once
#include <QString>

namespace fendle {

class Box;
struct BoxWindowContext;

// Which box menu items are enabled, recognised by their titles.
class MenuValidation {
public:
    static bool validateMenuItem(const QString& title, const BoxWindowContext& context);
    // The log lines for a box without a proper current slip.
    static void logCurrentSlipConsistency(const Box& box);

private:
    static bool byTitle(const QString& title, const BoxWindowContext& context);
};

}  // namespace fendle
