#include "platform/richtext/TextAttributes.h"

namespace fendle {

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
