#pragma once
#include "document/WebPage.h"
#include "model/Slip.h"
#include "platform/system/Result.h"
#include "platform/richtext/TextAttributes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

namespace fendle {

// What the box document needs from the scents, search, archive, rich-text
// and export code. Each hook may be left empty: the box then skips that
// refresh (or, where a result is needed, reports that it is missing).
struct BoxHooks {
    // The views reload what the box has just built: the slip-scent list,
    // the keyword-scent and alternating-scent outlines, the result table.
    std::function<void()> updateSlipScent;
    std::function<void()> rebuildKeywordScentTable;
    std::function<void()> searchResultsChanged;

    // The selected row of the alternating scent view: its label and whether
    // it is a slip row.
    struct AlternatingRow {
        QString label;
        bool isSlip = false;
    };
    std::function<std::optional<AlternatingRow>()> selectedAlternatingScentRow;

    // Others told about changes: the Spotlight plug-in and the inspector.
    std::function<void(const SlipPtr&)> slipChanged;
    std::function<void()> keywordListChanged;
    // Undoing or redoing a picture resize takes the picture up again in the
    // inspector's resize controls.
    std::function<void()> initiateResizeImage;

    // Clipboard form: the export text of a slip.
    std::function<QString(const Slip&)> exportString;

    // Redo of a slip created from a file (services); gets the slip.
    std::function<void(const SlipPtr&)> createSlipFromFile;

    // Closing: the window frame and the scent-path switch go to the
    // defaults, which are then written; false when writing failed.
    std::function<void()> storeWindowState;
    std::function<bool()> synchronizeDefaults;

    // The stored "CheckSpellingAsYouType", applied again on every refresh;
    // without it spell checking is off.
    std::function<bool()> checkSpellingAsYouType;

    // Web resources taken into the current slip: a media file as a text
    // holding it as its one attachment, any other address read as a page.
    // Without them such drops fail with an alert and change nothing.
    std::function<Result<RichText>(const QUrl&)> mediaTextFromURL;
    std::function<Result<WebPage>(const QUrl&)> webPageFromURL;
    // The slip text's progress indicator while one of them runs.
    std::function<void(bool running)> showFetchProgress;

    // The preference "SlipTextFont".
    FontAttribute defaultSlipFont{QStringLiteral("Helvetica"), QStringLiteral("Helvetica"), 12.0};
};

}  // namespace fendle
