#include "app/program/DesktopWebResources.h"

#include "app/editing/WebPageReader.h"
#include "appcore/FendleApplication.h"

namespace fendle {

Result<RichText> DesktopWebResources::mediaText(const QUrl& url) { return FendleApplication::attachmentFromURL(url); }

Result<WebPage> DesktopWebResources::webPage(const QUrl& url) { return WebPageReader::read(url); }

}  // namespace fendle
