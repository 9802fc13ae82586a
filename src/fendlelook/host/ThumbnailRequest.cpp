#include "fendlelook/host/ThumbnailRequest.h"

#include <cmath>

namespace fendle::look {
namespace {

// The context the module draws into, and the image that owns its pixels.
struct ImageContext {
    FLBitmapContext context;  // first, so that a context pointer is the whole
    QImage image;
};

std::optional<int> side(double length) {
    if (!(length >= 0.5) || length > ThumbnailRequest::MaximumSide) return std::nullopt;
    return static_cast<int>(std::lround(length));
}

}  // namespace

ThumbnailRequest::ThumbnailRequest() {
    request_.host = this;
    request_.createContext = createContext;
    request_.flushContext = flushContext;
    request_.releaseContext = releaseContext;
}

ThumbnailRequest& ThumbnailRequest::of(FLThumbnailRequest* request) { return *static_cast<ThumbnailRequest*>(request->host); }

FLBitmapContext* ThumbnailRequest::createContext(FLThumbnailRequest* request, FLSize size, bool) {
    const auto width = side(size.width);
    const auto height = side(size.height);
    if (!width || !height) return nullptr;
    auto* made = new ImageContext{{}, QImage(*width, *height, QImage::Format_ARGB32_Premultiplied)};
    if (made->image.isNull()) {
        delete made;
        return nullptr;
    }
    made->image.fill(Qt::transparent);
    made->context = {made->image.bits(), *width, *height, static_cast<int>(made->image.bytesPerLine())};
    ++of(request).created_;
    return &made->context;
}

void ThumbnailRequest::flushContext(FLThumbnailRequest* request, FLBitmapContext* context) {
    if (context) of(request).flushed_ = reinterpret_cast<ImageContext*>(context)->image.copy();
}

void ThumbnailRequest::releaseContext(FLThumbnailRequest* request, FLBitmapContext* context) {
    if (!context) return;
    delete reinterpret_cast<ImageContext*>(context);
    ++of(request).released_;
}

}  // namespace fendle::look
