#include "fendlelook/host/GeneratorInstance.h"

#include "fendlelook/UuidBytes.h"
#include "fendlelook/host/ThumbnailRequest.h"

#include <utility>

namespace fendle::look {

Result<GeneratorInstance> GeneratorInstance::create(const GeneratorBundle& bundle) {
    using R = Result<GeneratorInstance>;
    const FLUUIDBytes type = uuidBytes(FL_GENERATOR_TYPE_ID);
    auto** unknown = static_cast<FLGeneratorInterface**>(bundle.factory()(nullptr, &type));
    if (!unknown) return R::failure(QStringLiteral("%1: the factory made no generator").arg(bundle.path()));
    void* callbacks = nullptr;
    const FLResult answer = (*unknown)->QueryInterface(unknown, uuidBytes(FL_GENERATOR_CALLBACKS_INTERFACE_ID), &callbacks);
    (*unknown)->Release(unknown);
    if (answer != FL_S_OK || !callbacks)
        return R::failure(QStringLiteral("%1: no generator callbacks interface").arg(bundle.path()));
    GeneratorInstance instance;
    instance.interface_ = static_cast<FLGeneratorInterface**>(callbacks);
    return instance;
}

GeneratorInstance::GeneratorInstance(GeneratorInstance&& other) noexcept
    : interface_(std::exchange(other.interface_, nullptr)) {}

GeneratorInstance& GeneratorInstance::operator=(GeneratorInstance&& other) noexcept {
    std::swap(interface_, other.interface_);
    return *this;
}

GeneratorInstance::~GeneratorInstance() {
    if (interface_) (*interface_)->Release(interface_);
}

std::optional<QImage> GeneratorInstance::thumbnail(const QByteArray& url, const QByteArray& contentType,
                                                   QSizeF maximumSize) const {
    ThumbnailRequest request;
    (*interface_)->GenerateThumbnailForURL(interface_, request.request(), url.constData(), contentType.constData(),
                                           nullptr, FLSize{maximumSize.width(), maximumSize.height()});
    return request.flushedImage();
}

std::optional<PreviewRequest::Preview> GeneratorInstance::preview(const QByteArray& url,
                                                                  const QByteArray& contentType) const {
    PreviewRequest request;
    (*interface_)->GeneratePreviewForURL(interface_, request.request(), url.constData(), contentType.constData(),
                                         nullptr);
    return request.preview();
}

}  // namespace fendle::look
