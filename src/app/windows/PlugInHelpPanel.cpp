#include "app/windows/PlugInHelpPanel.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace fendle {

namespace {

// Loads only local files inside one folder (the page's own).
class HelpPageBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QString folder;

    QVariant loadResource(int type, const QUrl& name) override {
        const QString path = QFileInfo(name.toLocalFile()).canonicalFilePath();
        if (!name.isLocalFile() || folder.isEmpty() || !path.startsWith(folder + QLatin1Char('/'))) return {};
        return QTextBrowser::loadResource(type, name);
    }
};

}  // namespace

PlugInHelpPanel::PlugInHelpPanel(QWidget* parent) : QDialog(parent), helpView_(new HelpPageBrowser(this)) {
    setObjectName(QStringLiteral("plugInHelpPanel"));
    setModal(false);
    helpView_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(helpView_);
    resize(480, 560);
}

void PlugInHelpPanel::showPage(const QString& path, const QWidget* keyWindow) {
    static_cast<HelpPageBrowser*>(helpView_)->folder = QFileInfo(path).canonicalPath();
    helpView_->setSource(QUrl::fromLocalFile(path));
    if (!isVisible() && keyWindow) move(keyWindow->frameGeometry().topRight() + QPoint(3, 100));
    show();
    raise();
}

}  // namespace fendle
