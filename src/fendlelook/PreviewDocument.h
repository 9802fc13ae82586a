#pragma once
#include "fendlelook/CacheFile.h"
#include "platform/richtext/RichText.h"

#include <QByteArray>

namespace fendle::look {

// The preview of a cache file: the headings TEXT, KEYWORDS and SOURCE, each
// followed by its field between blank lines.
class PreviewDocument {
public:
    static RichText text(const CacheFile& file);
    // The same as RTF, without document attributes.
    static QByteArray rtf(const CacheFile& file);
};

}  // namespace fendle::look
