#include "plugins/OpenMetaPlugInView.h"

#include "openmeta/OpenMetaController.h"

namespace fendle {

void OpenMetaPlugInView::setUserTags(const QStringList& tags, const QString& path) const {
    // The controller has logged a failure already.
    (void)OpenMetaController().setUserTags(tags, path);
}

}  // namespace fendle
