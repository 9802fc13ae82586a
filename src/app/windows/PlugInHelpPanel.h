#pragma once
#include <QDialog>

class QTextBrowser;

namespace fendle {

// The help panel of a plug-in: the bundle's HTML page, read as plain HTML.
// Nothing runs in it and nothing is fetched from the network; only files
// beside the page, inside the bundle's help folder, are shown.
class PlugInHelpPanel : public QDialog {
    Q_OBJECT
public:
    explicit PlugInHelpPanel(QWidget* parent = nullptr);
    // Shows the page; placed beside the key window when not yet visible.
    void showPage(const QString& path, const QWidget* keyWindow);
    QTextBrowser* helpView() const { return helpView_; }

private:
    QTextBrowser* helpView_;
};

}  // namespace fendle
