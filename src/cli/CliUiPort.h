#pragma once
#include "cli/Command.h"
#include "platform/ui/HeadlessUiPort.h"

namespace fendle::cli {

// The box logic's messages on standard error; a command that ran into one
// ends with status 2. Nothing here waits for an answer.
class CliUiPort : public HeadlessUiPort {
public:
    explicit CliUiPort(Io& io) : io_(io) {}
    bool alerted() const { return alerted_; }

    void showAlert(const Alert& alert) override;
    int askQuestion(const Alert& question) override;

private:
    Io& io_;
    bool alerted_ = false;
};

}  // namespace fendle::cli
