#include "document/SlipUrlHandler.h"

#include "document/Box.h"

namespace fendle {

bool getUrl(const QString& url, BoxDocumentOpener& opener) {
    if (url.endsWith(QStringLiteral(".self"))) return false;
    const qsizetype separator = url.indexOf(QStringLiteral("::"));
    // Without a box part there is nothing to open.
    if (separator < 0) return false;
    QString key = url.left(separator);
    if (key.startsWith(QStringLiteral("fendle://"))) key = key.mid(9);
    Box* box = opener.openDocumentWithContentsOfURL(url.mid(separator + 2));
    if (!box) return false;
    const SlipPtr slip = box->slip(key);
    if (!slip) return false;
    box->performChangeCurrentSlip(slip, false);
    return true;
}

}  // namespace fendle
