#pragma once
#include "document/WebResources.h"

namespace fendle {

// Web resources fetched over the network: media files as attachments,
// pages read through Qt's HTML reader.
class DesktopWebResources : public WebResources {
public:
    Result<RichText> mediaText(const QUrl& url) override;
    Result<WebPage> webPage(const QUrl& url) override;
};

}  // namespace fendle
