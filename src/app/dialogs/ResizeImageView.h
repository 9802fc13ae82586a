#pragma once
#include "app/editing/JpegImageCodec.h"
#include "document/ImageManager.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QSlider;
class QSpinBox;

namespace fendle {

class BoxWindow;
class InspectorTarget;

// The inspector's "Resize Image" view: a slider for both scale factors,
// width and height fields with their steppers and "Constrain proportions".
// It works on the picture selected in the slip text of the box window the
// inspector refers to, and is enabled only while one is selected.
class ResizeImageView : public QWidget {
    Q_OBJECT
public:
    explicit ResizeImageView(const InspectorTarget& target, QWidget* parent = nullptr);

    // Takes up the picture selected in the current box, or turns the
    // controls off when there is none.
    void initiateResizeImage();
    ImageManager& imageManager() { return manager_; }

    QSlider* resizeSlider() const { return slider_; }
    QLineEdit* widthResizeTextField() const { return widthField_; }
    QLineEdit* heightResizeTextField() const { return heightField_; }
    QSpinBox* widthResizeStepper() const { return widthStepper_; }
    QSpinBox* heightResizeStepper() const { return heightStepper_; }
    QCheckBox* constrainProportionsButton() const { return constrain_; }

    void resizeImageSliderAction(double percent);
    void resizeImageWidthAction(double percent);
    void resizeImageHeightAction(double percent);

private:
    using Action = bool (ImageManager::*)(Box&, UiPort&, double);

    const InspectorTarget& target_;
    JpegImageCodec codec_;
    ImageManager manager_{codec_};
    QSlider* slider_;
    QLineEdit* widthField_;
    QLineEdit* heightField_;
    QSpinBox* widthStepper_;
    QSpinBox* heightStepper_;
    QCheckBox* constrain_;

    void act(Action action, double percent);
    void updateScaleOutlets();
    void enableResizeImageViews();
    void disableResizeImageViews();
    void setControlsEnabled(bool enabled);
    void fieldEdited(QLineEdit* field, Action action);
};

}  // namespace fendle
