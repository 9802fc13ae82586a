#include "fendlelook/host/HeadlessHost.h"

namespace fendle::look {

std::unique_ptr<QGuiApplication> HeadlessHost::start(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace fendle::look
