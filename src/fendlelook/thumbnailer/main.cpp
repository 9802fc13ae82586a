// fendlelook-thumbnailer -s SIZE INPUT OUTPUT.png: the freedesktop
// thumbnailer of cache files. It loads the installed FendleLook module and
// asks it for the thumbnail as the preview service would, so that file
// managers show exactly what the generator draws. It writes OUTPUT only.
#include "fendlelook/host/GeneratorInstance.h"
#include "fendlelook/host/HeadlessHost.h"
#include "fendlelook/host/ThumbnailerArguments.h"
#include "platform/system/InstallLocations.h"

#include <cstdio>

using namespace fendle;
using namespace fendle::look;

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "fendlelook-thumbnailer: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const auto application = HeadlessHost::start(argc, argv);
    const auto arguments = ThumbnailerArguments::parse(application->arguments().mid(1));
    if (!arguments) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(arguments.error()),
                     qPrintable(ThumbnailerArguments::usage(QStringLiteral("fendlelook-thumbnailer"))));
        return 2;
    }
    const auto bundle = GeneratorBundle::load(InstallLocations::fendleLookBundle());
    if (!bundle) return fail(bundle.error());
    const auto generator = GeneratorInstance::create(*bundle);
    if (!generator) return fail(generator.error());
    const double size = arguments->size;
    const auto image = generator->thumbnail(arguments->input.url, arguments->input.contentType, QSizeF(size, size));
    if (!image) return fail(QStringLiteral("no thumbnail for %1").arg(arguments->input.path));
    if (!image->save(arguments->output, "PNG")) return fail(QStringLiteral("cannot write %1").arg(arguments->output));
    return 0;
}
