#include "fendlelook/host/PreviewRequest.h"

namespace fendle::look {

PreviewRequest::PreviewRequest() {
    request_.host = this;
    request_.setDataRepresentation = setDataRepresentation;
}

void PreviewRequest::setDataRepresentation(FLPreviewRequest* request, const void* data, size_t length,
                                           const char* contentType) {
    auto& self = *static_cast<PreviewRequest*>(request->host);
    self.preview_ = Preview{QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(data ? length : 0)),
                            QByteArray(contentType)};
}

}  // namespace fendle::look
