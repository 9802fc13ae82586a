#include "document/ImageManager.h"

#include "document/AttachmentNaming.h"
#include "document/Box.h"
#include "document/UndoNames.h"
#include "document/WholeSlipStep.h"
#include "platform/ui/UiPort.h"

#include <algorithm>
#include <cmath>

namespace fendle {
namespace {

struct Picture {
    AttachmentAttribute attachment;
    ImageCodec::Info info;
};

std::optional<Picture> pictureAt(const ImageCodec& codec, const RichText& text, qsizetype index) {
    if (index < 0 || index >= text.length() || text.string().at(index) != QChar(AttachmentCharacter)) return std::nullopt;
    const std::optional<AttachmentAttribute> attachment =
        text.attributesAt(index).get<AttachmentAttribute>(attr::Attachment);
    if (!attachment) return std::nullopt;
    const std::optional<ImageCodec::Info> info = codec.inspect(attachment->contents);
    if (!info || info->pixels.isEmpty()) return std::nullopt;
    return Picture{*attachment, *info};
}

QSize roundedDown(QSizeF size) { return {int(std::floor(size.width())), int(std::floor(size.height()))}; }

}  // namespace

QString ImageManager::formatScaleFactor(double percent) { return QString::asprintf("%.1f", percent); }

double ImageManager::clampFactor(double percent) {
    if (!std::isfinite(percent)) return 100;
    return std::clamp(percent, MinimumScaleFactor, MaximumScaleFactor);
}

bool ImageManager::isPictureSelected(Box& box) const {
    const TextRange selection = box.editor().selectedRange();
    return selection.length == 1 && pictureAt(codec_, box.editor().text(), selection.location).has_value();
}

bool ImageManager::initiateResizeImage(Box& box) {
    slip_.reset();
    if (!box.currentSlip() || !isPictureSelected(box)) return false;
    EditorModel& editor = box.editor();
    imageLocation_ = editor.selectedRange().location;
    RichText text = editor.text();
    if (AttachmentNaming::makeNamesUnique(text, imageNumber_)) {
        // Naming is housekeeping, not a step of its own.
        const QList<TextRange> selection = editor.selectedRanges();
        box.undoManager().disableUndoRegistration();
        editor.setSlipText(text);
        editor.setSelectedRangesOfSlipText(selection);
        box.storeCurrentSlip();
        box.undoManager().enableUndoRegistration();
    }
    const std::optional<Picture> picture = pictureAt(codec_, editor.text(), imageLocation_);
    if (!picture) return false;
    originalWidth_ = picture->info.pixels.width();
    originalHeight_ = picture->info.pixels.height();
    imageSize_ = picture->info.displaySize;
    widthScaleFactor_ = 100.0 * imageSize_.width() / originalWidth_;
    heightScaleFactor_ = 100.0 * imageSize_.height() / originalHeight_;
    sliderScaleFactor_ = widthScaleFactor_;
    slip_ = box.currentSlip();
    return true;
}

bool ImageManager::resizeImageSliderAction(Box& box, UiPort& ui, double percent) {
    sliderScaleFactor_ = widthScaleFactor_ = heightScaleFactor_ = clampFactor(percent);
    return resizeImage(box, ui);
}

bool ImageManager::resizeImageWidthAction(Box& box, UiPort& ui, double percent) {
    widthScaleFactor_ = clampFactor(percent);
    if (constrainProportions_) heightScaleFactor_ = widthScaleFactor_;
    sliderScaleFactor_ = widthScaleFactor_;
    return resizeImage(box, ui);
}

bool ImageManager::resizeImageHeightAction(Box& box, UiPort& ui, double percent) {
    heightScaleFactor_ = clampFactor(percent);
    if (constrainProportions_) widthScaleFactor_ = heightScaleFactor_;
    sliderScaleFactor_ = heightScaleFactor_;
    return resizeImage(box, ui);
}

QString ImageManager::encodedImageName(const QString& currentName) {
    if (!currentName.isEmpty()) return currentName;
    if (preferredImageName_ && !preferredImageName_->isEmpty()) return *preferredImageName_;
    return AttachmentNaming::generatedName(imageNumber_);
}

bool ImageManager::resizeImage(Box& box, UiPort& ui) {
    // The slip shown may have changed since the picture was taken.
    const SlipPtr slip = box.currentSlip();
    if (!slip_ || slip != slip_) return false;
    const QSize newSize = roundedDown(QSizeF(originalWidth_ * widthScaleFactor_ / 100.0,
                                             originalHeight_ * heightScaleFactor_ / 100.0));
    if (newSize == roundedDown(imageSize_) || newSize.isEmpty()) return false;
    box.commitPotentialChangesInFieldsAndStoreCurrentSlip();
    EditorModel& editor = box.editor();
    const std::optional<Picture> picture = pictureAt(codec_, editor.text(), imageLocation_);
    if (!picture) return false;
    const std::optional<QByteArray> jpeg = codec_.encodeJpeg(picture->attachment.contents, QSizeF(newSize));
    if (!jpeg) {
        ui.beep();
        return false;
    }
    RichText text = editor.text();
    text.addAttribute(attr::Attachment, AttachmentAttribute{encodedImageName(picture->attachment.fileName), *jpeg},
                      {imageLocation_, 1});
    recordWholeSlipStep(
        box, undo_names::ResizeImage,
        [&] {
            editor.setSlipText(text);
            editor.setSelectedRangesOfSlipText({TextRange{imageLocation_, 1}});
            return true;
        },
        true);
    const std::optional<ImageCodec::Info> encoded = codec_.inspect(*jpeg);
    imageSize_ = encoded ? encoded->displaySize : QSizeF(newSize);
    return true;
}

}  // namespace fendle
