#pragma once
#include "fendlelook/FendleLookInterface.h"

#include <QByteArray>
#include <optional>

namespace fendle::look {

// The host's side of one preview request: keeps the bytes handed to it.
class PreviewRequest {
public:
    struct Preview {
        QByteArray data;
        QByteArray contentType;
    };

    PreviewRequest();
    PreviewRequest(const PreviewRequest&) = delete;
    PreviewRequest& operator=(const PreviewRequest&) = delete;

    FLPreviewRequest* request() { return &request_; }
    const std::optional<Preview>& preview() const { return preview_; }

private:
    FLPreviewRequest request_{};
    std::optional<Preview> preview_;

    static void setDataRepresentation(FLPreviewRequest* request, const void* data, size_t length,
                                      const char* contentType);
};

}  // namespace fendle::look
