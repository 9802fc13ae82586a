#include "fendlelook/module/BundleResources.h"

#include "fendlelook/FDLQLTextView.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace fendle::look {

QString BundleResources::folder() {
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<const void*>(&BundleResources::folder), &info) || !info.dli_fname) return {};
    const QString code = QFileInfo(QFile::decodeName(info.dli_fname)).canonicalFilePath();
    return QDir::cleanPath(QFileInfo(code).path() + QStringLiteral("/../Resources"));
}

QString BundleResources::backgroundImage() { return folder() + u'/' + FDLQLTextView::BackgroundFileName; }

}  // namespace fendle::look
