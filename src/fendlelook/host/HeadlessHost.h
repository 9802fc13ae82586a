#pragma once
#include <QGuiApplication>
#include <memory>

namespace fendle::look {

// The application object the command-line hosts run: fonts and images
// without a display, so that they work where thumbnailers are run (a
// sandbox without a display, settings or a writable home).
class HeadlessHost {
public:
    static std::unique_ptr<QGuiApplication> start(int& argc, char** argv);
};

}  // namespace fendle::look
