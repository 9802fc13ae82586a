#include "app/windows/HelpWindow.h"

// Resources of a static library are linked in only when asked for by name.
static void initHelpResources() { Q_INIT_RESOURCE(help); }

namespace fendle {

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    initHelpResources();
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Fendle Help"));
    setWindowFlag(Qt::Window);
    // Addresses outside the help go to the browser, not into this window.
    setOpenExternalLinks(true);
    setSource(QUrl(IndexPage));
    resize(640, 720);
}

}  // namespace fendle
