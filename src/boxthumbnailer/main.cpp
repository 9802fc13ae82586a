// fendle-box-thumbnailer -s SIZE INPUT OUTPUT.png: the freedesktop thumbnailer
// of box files. It writes OUTPUT only.
#include "boxthumbnailer/BoxThumbnail.h"
#include "fendlelook/FDLQLTextView.h"
#include "fendlelook/host/HeadlessHost.h"
#include "fendlelook/host/ThumbnailerArguments.h"
#include "platform/system/InstallLocations.h"

#include <cstdio>

using namespace fendle;

int main(int argc, char** argv) {
    const auto application = look::HeadlessHost::start(argc, argv);
    const auto arguments = look::ThumbnailerArguments::parse(application->arguments().mid(1));
    if (!arguments) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(arguments.error()),
                     qPrintable(look::ThumbnailerArguments::usage(QStringLiteral("fendle-box-thumbnailer"))));
        return 2;
    }
    const QString background = InstallLocations::fendleLookBundle() + QStringLiteral("/Contents/Resources/") +
                               look::FDLQLTextView::BackgroundFileName;
    const auto thumbnail = BoxThumbnail::draw(arguments->input.path, arguments->size, background);
    if (!thumbnail || !thumbnail->save(arguments->output, "PNG")) {
        std::fprintf(stderr, "fendle-box-thumbnailer: %s\n",
                     qPrintable(thumbnail ? QStringLiteral("cannot write %1").arg(arguments->output) : thumbnail.error()));
        return 1;
    }
    return 0;
}
