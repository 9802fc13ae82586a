#pragma once
// A UI port that shows nothing and answers every question with its default.
#include "platform/ui/HeadlessUiPort.h"

namespace fendle::bench {

class SilentUi : public HeadlessUiPort {
public:
    void showAlert(const Alert&) override {}
    int askQuestion(const Alert&) override { return 0; }
};

}  // namespace fendle::bench
