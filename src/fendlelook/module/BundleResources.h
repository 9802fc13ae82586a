#pragma once
#include <QString>

namespace fendle::look {

// The resource folder of the loaded module's own bundle:
// FendleLook.qlgenerator/Contents/Resources beside Contents/Linux.
class BundleResources {
public:
    static QString folder();
    static QString backgroundImage();
};

}  // namespace fendle::look
