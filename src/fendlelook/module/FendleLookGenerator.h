#pragma once
#include "fendlelook/FendleLookInterface.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>

namespace fendle::look {

// What the generate functions do, apart from the plug-in model: read the
// file named by the address and hand the preview or thumbnail to the request.
class FendleLookGenerator {
public:
    static void generatePreview(FLPreviewRequest* request, const QByteArray& url);
    static void generateThumbnail(FLThumbnailRequest* request, const QByteArray& url, const QByteArray& contentType,
                                  QSizeF maximumSize);

    // The local path of a file address; empty for anything else.
    static QString pathOfUrl(const QByteArray& url);
};

}  // namespace fendle::look
