#include "app/dialogs/ResizeImageView.h"

#include "app/windows/InspectorTarget.h"

#include "app/windows/BoxWindow.h"
#include "document/Box.h"
#include "platform/ui/UndoManager.h"

#include <QCheckBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QPointer>

#include <cmath>

namespace fendle {
namespace {

QSpinBox* makeStepper(QWidget* parent) {
    auto* stepper = new QSpinBox(parent);
    stepper->setRange(int(ImageManager::MinimumScaleFactor), int(ImageManager::MaximumScaleFactor));
    stepper->setSuffix(QStringLiteral(" %"));
    return stepper;
}

QLineEdit* makeField(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    auto* validator = new QDoubleValidator(ImageManager::MinimumScaleFactor, ImageManager::MaximumScaleFactor, 1, field);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    field->setValidator(validator);
    return field;
}

QHBoxLayout* row(QWidget* field, QWidget* stepper) {
    auto* layout = new QHBoxLayout;
    layout->addWidget(field, 1);
    layout->addWidget(stepper);
    return layout;
}

}  // namespace

ResizeImageView::ResizeImageView(const InspectorTarget& target, QWidget* parent)
    : QWidget(parent), target_(target), slider_(new QSlider(Qt::Horizontal, this)),
      widthField_(makeField(this)), heightField_(makeField(this)), widthStepper_(makeStepper(this)),
      heightStepper_(makeStepper(this)), constrain_(new QCheckBox(QStringLiteral("Constrain proportions"), this)) {
    setObjectName(QStringLiteral("resizeImageView"));
    slider_->setRange(int(ImageManager::MinimumScaleFactor), int(ImageManager::MaximumScaleFactor));
    constrain_->setChecked(manager_.constrainProportions());
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Scale:"), slider_);
    form->addRow(QStringLiteral("Width (%):"), row(widthField_, widthStepper_));
    form->addRow(QStringLiteral("Height (%):"), row(heightField_, heightStepper_));
    form->addRow(constrain_);

    // Every resize is an undo step: a drag resizes once, when released.
    connect(slider_, &QSlider::valueChanged, this, [this](int value) {
        if (!slider_->isSliderDown()) resizeImageSliderAction(value);
    });
    connect(slider_, &QSlider::sliderReleased, this, [this] { resizeImageSliderAction(slider_->value()); });
    connect(widthStepper_, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { resizeImageWidthAction(value); });
    connect(heightStepper_, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { resizeImageHeightAction(value); });
    connect(widthField_, &QLineEdit::editingFinished, this,
            [this] { fieldEdited(widthField_, &ImageManager::resizeImageWidthAction); });
    connect(heightField_, &QLineEdit::editingFinished, this,
            [this] { fieldEdited(heightField_, &ImageManager::resizeImageHeightAction); });
    connect(constrain_, &QCheckBox::toggled, this, [this](bool on) { manager_.setConstrainProportions(on); });
    disableResizeImageViews();
}

void ResizeImageView::initiateResizeImage() {
    BoxWindow* window = target_.currentBoxWindow();
    if (window && manager_.initiateResizeImage(window->box())) {
        updateScaleOutlets();
        enableResizeImageViews();
    } else {
        manager_.deactivate();
        disableResizeImageViews();
    }
}

void ResizeImageView::resizeImageSliderAction(double percent) { act(&ImageManager::resizeImageSliderAction, percent); }
void ResizeImageView::resizeImageWidthAction(double percent) { act(&ImageManager::resizeImageWidthAction, percent); }
void ResizeImageView::resizeImageHeightAction(double percent) { act(&ImageManager::resizeImageHeightAction, percent); }

void ResizeImageView::act(Action action, double percent) {
    BoxWindow* window = target_.currentBoxWindow();
    if (!window || !manager_.isActive()) return;
    bool resized = false;
    {
        UndoManager::EventScope event(window->box().undoManager());
        resized = (manager_.*action)(window->box(), window->uiPort(), percent);
    }
    updateScaleOutlets();
    if (resized) window->scheduleValidation();
}

void ResizeImageView::fieldEdited(QLineEdit* field, Action action) {
    bool ok = false;
    const double percent = QLocale::c().toDouble(field->text().trimmed(), &ok);
    if (ok && std::isfinite(percent))
        act(action, percent);
    else
        updateScaleOutlets();
}

void ResizeImageView::updateScaleOutlets() {
    const QSignalBlocker blockSlider(slider_);
    const QSignalBlocker blockWidth(widthStepper_);
    const QSignalBlocker blockHeight(heightStepper_);
    widthField_->setText(ImageManager::formatScaleFactor(manager_.widthScaleFactor()));
    heightField_->setText(ImageManager::formatScaleFactor(manager_.heightScaleFactor()));
    widthStepper_->setValue(int(std::lround(manager_.widthScaleFactor())));
    heightStepper_->setValue(int(std::lround(manager_.heightScaleFactor())));
    slider_->setValue(int(std::lround(manager_.sliderScaleFactor())));
}

void ResizeImageView::enableResizeImageViews() { setControlsEnabled(true); }
void ResizeImageView::disableResizeImageViews() { setControlsEnabled(false); }

void ResizeImageView::setControlsEnabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{slider_, widthField_, heightField_, widthStepper_,
                                                            heightStepper_, constrain_})
        control->setEnabled(enabled);
}

}  // namespace fendle
