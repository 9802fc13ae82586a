#pragma once
#include <QString>

namespace fendle {

class Box;

// The document controller as the URL handler sees it: opens (and shows) the
// box at an address, or answers the one already open; null when it cannot.
class BoxDocumentOpener {
public:
    virtual ~BoxDocumentOpener() = default;
    virtual Box* openDocumentWithContentsOfURL(const QString& urlString) = 0;
};

// The program's entry point for "fendle" addresses handed over by the
// system: an external slip link opens its box and shows the slip; internal
// links mean nothing outside a box and are ignored. True when a slip was shown.
bool getUrl(const QString& url, BoxDocumentOpener& opener);

}  // namespace fendle
