#pragma once
#include "platform/richtext/TextRange.h"

#include <QString>
#include <functional>

namespace fendle {

// The windows and facts of the box window that the link commands need
// beyond the UI port. Each may be left empty.
struct SlipLinkPorts {
    // Absolute string of the box file's address; empty for an unsaved box.
    std::function<QString()> boxUrlString;
    // The link dialogue, with its number field emptied.
    std::function<void()> beginMakeSlipLinkSheet;
    std::function<void()> endMakeSlipLinkSheet;
    // The progress window: text and a determinate value in per cent.
    std::function<void(const QString&, double)> showProgress;
    std::function<void(double)> setProgress;
    std::function<void()> hideProgress;
    std::function<void(TextRange)> scrollRangeToVisible;
    std::function<void()> openInspectorOnImagePage;
};

}  // namespace fendle
