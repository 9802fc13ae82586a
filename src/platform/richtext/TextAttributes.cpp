#include "platform/richtext/TextAttributes.h"

#include <algorithm>
#include <cmath>

namespace fendle {

namespace {
// Hostile numbers from a file become something showable.
double unit(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0; }
// A little over half a step of an eight-bit channel: what an RTF colour
// table's rounding may move a colour by.
constexpr double SameColorTolerance = 0.6 / 255.0;
}  // namespace

ColorAttribute ColorAttribute::rgb(double r, double g, double b, double a, bool calibrated) {
    ColorAttribute c;
    c.space = calibrated ? Space::CalibratedRGB : Space::DeviceRGB;
    c.components[0] = r;
    c.components[1] = g;
    c.components[2] = b;
    c.alpha = a;
    return c;
}

ColorAttribute ColorAttribute::grey(double white, double a, bool calibrated) {
    ColorAttribute c;
    c.space = calibrated ? Space::CalibratedWhite : Space::DeviceWhite;
    c.components[0] = white;
    c.alpha = a;
    return c;
}

ColorAttribute ColorAttribute::cmyk(double cyan, double magenta, double yellow, double black, double a) {
    ColorAttribute c;
    c.space = Space::DeviceCMYK;
    c.components[0] = cyan;
    c.components[1] = magenta;
    c.components[2] = yellow;
    c.components[3] = black;
    c.alpha = a;
    return c;
}

ColorAttribute ColorAttribute::named(const QString& catalog, const QString& name) {
    ColorAttribute c;
    c.space = Space::Named;
    c.catalogName = catalog;
    c.colorName = name;
    return c;
}

std::optional<std::array<double, 4>> ColorAttribute::rgba() const {
    const double* c = components;
    switch (space) {
    case Space::CalibratedRGB:
    case Space::DeviceRGB: return std::array{unit(c[0]), unit(c[1]), unit(c[2]), unit(alpha)};
    case Space::CalibratedWhite:
    case Space::DeviceWhite: return std::array{unit(c[0]), unit(c[0]), unit(c[0]), unit(alpha)};
    case Space::DeviceCMYK: {
        const double k = 1.0 - unit(c[3]);
        return std::array{(1.0 - unit(c[0])) * k, (1.0 - unit(c[1])) * k, (1.0 - unit(c[2])) * k, unit(alpha)};
    }
    case Space::Named: break;
    }
    return std::nullopt;
}

bool ColorAttribute::isSameColor(const ColorAttribute& other) const {
    const auto mine = rgba();
    const auto theirs = other.rgba();
    if (!mine || !theirs) return !mine && !theirs && catalogName == other.catalogName && colorName == other.colorName;
    for (std::size_t i = 0; i < mine->size(); ++i)
        if (std::abs((*mine)[i] - (*theirs)[i]) > SameColorTolerance) return false;
    return true;
}

const Attributes::Map& Attributes::values() const {
    static const Map none;
    return values_ ? *values_ : none;
}

Attributes::Map& Attributes::mutableValues() {
    if (!values_) values_ = std::make_shared<Map>();
    else if (values_.use_count() > 1) values_ = std::make_shared<Map>(*values_);
    return *values_;
}

const AttributeValue* Attributes::find(const QString& name) const {
    const Map& map = values();
    auto it = map.find(name);
    return it == map.end() ? nullptr : &it->second;
}

void Attributes::remove(const QString& name) {
    if (contains(name)) mutableValues().erase(name);
}

}  // namespace fendle
