#pragma once
#include "fendlelook/host/GeneratorBundle.h"
#include "fendlelook/host/PreviewRequest.h"

#include <QImage>
#include <QSizeF>
#include <optional>

namespace fendle::look {

// One instance of a bundle's generator, reached the way the preview service
// reaches it: factory, then the generator callbacks interface; the instance
// is released when this object goes.
class GeneratorInstance {
public:
    static Result<GeneratorInstance> create(const GeneratorBundle& bundle);
    GeneratorInstance(GeneratorInstance&& other) noexcept;
    GeneratorInstance& operator=(GeneratorInstance&& other) noexcept;
    ~GeneratorInstance();

    // The drawing flushed into the request, if the generator made one.
    std::optional<QImage> thumbnail(const QByteArray& url, const QByteArray& contentType, QSizeF maximumSize) const;
    std::optional<PreviewRequest::Preview> preview(const QByteArray& url, const QByteArray& contentType) const;

    FLGeneratorInterface** interface() const { return interface_; }

private:
    GeneratorInstance() = default;
    FLGeneratorInterface** interface_ = nullptr;
};

}  // namespace fendle::look
