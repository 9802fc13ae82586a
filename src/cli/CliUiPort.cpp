#include "cli/CliUiPort.h"

namespace fendle::cli {

void CliUiPort::showAlert(const Alert& alert) {
    fail(io_, alert.informativeText.isEmpty() ? alert.message
                                              : QStringLiteral("%1: %2").arg(alert.message, alert.informativeText));
    alerted_ = true;
}

// Answered with the default button, as a command cannot ask.
int CliUiPort::askQuestion(const Alert& question) {
    showAlert(question);
    return 0;
}

}  // namespace fendle::cli
