#include "app/dialogs/AboutDialog.h"

#include "platform/system/AppVersion.h"

#include <QIcon>

namespace fendle {

AboutDialog::AboutDialog(QWidget* parent) : QMessageBox(parent) {
    setObjectName(QStringLiteral("aboutFendle"));
    setWindowTitle(QStringLiteral("About Fendle"));
    setText(QStringLiteral("<b>Fendle %1</b>").arg(versionString()));
    setInformativeText(QStringLiteral("A card index of numbered slips, related through the keywords they share."));
    const QIcon icon = QIcon::fromTheme(QStringLiteral("fendle"), QIcon::fromTheme(QStringLiteral("help-about")));
    setIconPixmap(icon.pixmap(64, 64));
    setStandardButtons(QMessageBox::Close);
}

void AboutDialog::present(QWidget* parent) {
    auto* dialog = new AboutDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

}  // namespace fendle
