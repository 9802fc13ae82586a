#pragma once
#include "document/BoxTab.h"

#include <QString>
#include <optional>

namespace fendle {

class Box;
class Pasteboard;

// What the menu and toolbar rules look at, gathered from a box and its
// window at one moment, so the rules themselves stay plain functions.
struct BoxWindowContext {
    BoxTab selectedTab = BoxTab::Slip;
    bool inTrashMode = false;
    bool documentEdited = false;
    bool hasExtraSlipWindows = false;
    bool pasteboardHasSlips = false;
    bool trashEmpty = true;
    qsizetype historyPosition = 0;
    qsizetype historyLength = 0;
    // Where the current slip stands in key order; both false without one.
    bool onFirstSlip = false;
    bool onLastSlip = false;
    qsizetype selectedResultCount = 0;
    // None when no row of the alternating-scent view is selected.
    std::optional<bool> alternatingRowIsSlip;
    bool slipTextFocused = false;
    bool templateTextFocused = false;
    bool modalWindowUp = false;
    // The box's window is the key window (not an extra slip window or a panel).
    bool keyWindowIsBox = false;
    bool inspectorVisible = false;
    qint32 zoomFactor = 100;

    // The box's own state; focus, modality, extra windows and the inspector
    // are the window's to fill in.
    static BoxWindowContext of(Box& box, const Pasteboard& pasteboard);
};

}  // namespace fendle
