#pragma once
#include <QString>

namespace fendle {

struct BoxWindowContext;

// Everything the box toolbar shows, computed anew from the box on every
// refresh; the toolbar keeps no state of its own.
struct ToolbarState {
    static inline const QString AddRemoveItemIdentifier = QStringLiteral("ADD_REMOVE_TOOLBAR_ITEM");

    bool save = false;
    bool previous = false;
    bool next = false;
    bool back = false;
    bool forward = false;
    bool addSlip = false;
    bool addSegment = false;
    bool removeSegment = true;
    QString removeImage;
    QString removeToolTip;
    QString addRemoveLabel;
    bool fontCharacteristics = false;
    bool split = false;
    bool merge = false;
    bool zoom = false;
    bool zoomOut = false;
    bool zoomIn = false;
    bool extraWindow = false;
    QString extraWindowToolTip;
    bool inspectorSelected = false;
    QString trashLabel;
    QString trashImage;
    QString trashToolTip;

    static ToolbarState of(const BoxWindowContext& context);
    // Plain toolbar items by label.
    static bool validateToolbarItem(const QString& label, const BoxWindowContext& context);
};

}  // namespace fendle
