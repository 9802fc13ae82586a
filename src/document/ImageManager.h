#pragma once
#include "document/ImageCodec.h"
#include "model/Slip.h"

#include <QSizeF>
#include <QString>
#include <optional>

namespace fendle {

class Box;
class UiPort;

// The resizing of the picture selected in the slip text: the scale factors
// (percent of the picture's pixel size) the inspector's controls show and
// set, and the resize itself, one "Resize Image" step that puts the whole
// slip back. The picture keeps its pixels; only the size it shows at changes.
class ImageManager {
public:
    static constexpr double MinimumScaleFactor = 1;
    static constexpr double MaximumScaleFactor = 400;

    explicit ImageManager(const ImageCodec& codec) : codec_(codec) {}

    // Exactly one character is selected and it is a picture.
    bool isPictureSelected(Box& box) const;
    // Takes the selected picture (naming the attachments uniquely first);
    // false when none is selected, and the controls stay off.
    bool initiateResizeImage(Box& box);
    bool isActive() const { return slip_ != nullptr; }
    void deactivate() { slip_.reset(); }

    // The controls: the slider sets both factors; a width or height sets its
    // own (both while proportions are constrained) and the slider follows.
    // Each resizes the picture when its size changed; false when not.
    bool resizeImageSliderAction(Box& box, UiPort& ui, double percent);
    bool resizeImageWidthAction(Box& box, UiPort& ui, double percent);
    bool resizeImageHeightAction(Box& box, UiPort& ui, double percent);
    void setConstrainProportions(bool on) { constrainProportions_ = on; }
    bool constrainProportions() const { return constrainProportions_; }

    double widthScaleFactor() const { return widthScaleFactor_; }
    double heightScaleFactor() const { return heightScaleFactor_; }
    double sliderScaleFactor() const { return sliderScaleFactor_; }
    int originalWidth() const { return originalWidth_; }
    int originalHeight() const { return originalHeight_; }
    qsizetype imageLocation() const { return imageLocation_; }
    QSizeF imageSize() const { return imageSize_; }
    unsigned imageNumber() const { return imageNumber_; }
    void setPreferredImageName(const std::optional<QString>& name) { preferredImageName_ = name; }

    // "%.1f", as the width and height fields show a factor.
    static QString formatScaleFactor(double percent);

private:
    const ImageCodec& codec_;
    SlipPtr slip_;
    double widthScaleFactor_ = 100;
    double heightScaleFactor_ = 100;
    double sliderScaleFactor_ = 100;
    int originalWidth_ = 0;
    int originalHeight_ = 0;
    qsizetype imageLocation_ = 0;
    QSizeF imageSize_;
    bool constrainProportions_ = true;
    unsigned imageNumber_ = 0;
    std::optional<QString> preferredImageName_;

    static double clampFactor(double percent);
    bool resizeImage(Box& box, UiPort& ui);
    QString encodedImageName(const QString& currentName);
};

}  // namespace fendle
