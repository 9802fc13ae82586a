#pragma once
#include "document/WebPage.h"
#include "platform/richtext/RichText.h"
#include "platform/system/Result.h"

#include <QUrl>

namespace fendle {

// Web resources taken into slips: a media file as a text holding it as its
// one attachment, any other address read as a page. The program fetches
// them over the network; each answer says why when it fails.
class WebResources {
public:
    virtual ~WebResources() = default;
    virtual Result<RichText> mediaText(const QUrl& url) = 0;
    virtual Result<WebPage> webPage(const QUrl& url) = 0;
};

}  // namespace fendle
