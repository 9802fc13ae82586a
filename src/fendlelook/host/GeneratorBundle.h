#pragma once
#include "fendlelook/FendleLookInterface.h"
#include "platform/system/Result.h"

#include <QString>

namespace fendle::look {

// A generator bundle loaded as the preview service loads one: its
// Contents/Info.plist names the factory registered for the generator type
// and the code file in Contents/Linux that holds it. The code stays loaded
// for the rest of the process, as instances may outlive any one user.
class GeneratorBundle {
public:
    static constexpr qint64 MaximumInfoSize = 1024 * 1024;

    static Result<GeneratorBundle> load(const QString& bundlePath);

    const QString& path() const { return path_; }
    const QString& factoryID() const { return factoryID_; }
    FLGeneratorFactoryFunction factory() const { return factory_; }

private:
    QString path_;
    QString factoryID_;
    FLGeneratorFactoryFunction factory_ = nullptr;
};

}  // namespace fendle::look
