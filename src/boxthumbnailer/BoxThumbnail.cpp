#include "boxthumbnailer/BoxThumbnail.h"

#include "document/Box.h"
#include "fendlelook/FDLQLTextView.h"
#include "fendlelook/ThumbnailScaling.h"
#include "model/BoxFile.h"
#include "platform/files/ExtendedAttributes.h"
#include "platform/files/RegularFile.h"

namespace fendle {
namespace {

std::optional<QString> lastSlipOpenKey(const QString& boxPath) {
    for (const QString& name : {Box::LastSlipOpenAttribute, Box::OtherLastSlipOpenAttribute}) {
        const auto value = ExtendedAttributes::get(boxPath, name);
        if (value.bytes) return QString::fromUtf8(*value.bytes).trimmed();
    }
    return std::nullopt;
}

}  // namespace

SlipPtr BoxThumbnail::slipToShow(const BoxData& box, const QString& boxPath) {
    const auto key = lastSlipOpenKey(boxPath);
    if (key && !key->isEmpty() && box.slipForKeyExists(*key)) return box.slipForKey(*key);
    return box.slipForKey(box.findFirstKey());
}

look::CacheFile BoxThumbnail::cacheFileOf(const Slip& slip, const QString& boxPath) {
    look::CacheFile file;
    file.boxPath = boxPath;
    file.slipID = slip.key();
    file.source = slip.source().value_or(QString());
    // Attachments show as nothing rather than as their placeholder character.
    file.textContent = slip.textString().remove(AttachmentCharacter);
    return file;
}

Result<QImage> BoxThumbnail::draw(const QString& boxPath, int size, const QString& backgroundImagePath) {
    using R = Result<QImage>;
    const auto bytes = RegularFile::read(boxPath, MaximumBoxSize);
    if (!bytes) return R::failure(bytes.error());
    BoxData box;
    const auto form = BoxFile::readAnyForm(box, *bytes);
    if (!form) return R::failure(form.error());
    const SlipPtr slip = slipToShow(box, boxPath);
    if (!slip) return R::failure(QStringLiteral("%1 holds no slip").arg(boxPath));

    const QRect frame(0, 0, look::FDLQLTextView::Side, look::FDLQLTextView::Side);
    const auto thumbnailSize = look::ThumbnailScaling::thumbnailSize(frame.size(), QSizeF(size, size));
    if (!thumbnailSize) return R::failure(QStringLiteral("no thumbnail of size %1").arg(size));
    look::FDLQLTextView view(frame, backgroundImagePath);
    view.setText(look::ThumbnailText::from(cacheFileOf(*slip, boxPath)));
    QImage thumbnail(*thumbnailSize, QImage::Format_ARGB32_Premultiplied);
    look::ThumbnailScaling::drawScaled(view.render(), thumbnail);
    return thumbnail;
}

}  // namespace fendle
