#pragma once
#include "fendlelook/FendleLookInterface.h"

#include <QImage>
#include <optional>

namespace fendle::look {

// The host's side of one thumbnail request: hands out bitmap contexts backed
// by images and keeps the last one flushed.
class ThumbnailRequest {
public:
    // Contexts larger than this on either side are refused.
    static constexpr int MaximumSide = 8192;

    ThumbnailRequest();
    ThumbnailRequest(const ThumbnailRequest&) = delete;
    ThumbnailRequest& operator=(const ThumbnailRequest&) = delete;

    FLThumbnailRequest* request() { return &request_; }
    const std::optional<QImage>& flushedImage() const { return flushed_; }
    int contextsCreated() const { return created_; }
    int contextsReleased() const { return released_; }

private:
    FLThumbnailRequest request_{};
    std::optional<QImage> flushed_;
    int created_ = 0;
    int released_ = 0;

    static ThumbnailRequest& of(FLThumbnailRequest* request);
    static FLBitmapContext* createContext(FLThumbnailRequest* request, FLSize size, bool isBitmap);
    static void flushContext(FLThumbnailRequest* request, FLBitmapContext* context);
    static void releaseContext(FLThumbnailRequest* request, FLBitmapContext* context);
};

}  // namespace fendle::look
