#include "fendlelook/module/FendleLookGenerator.h"

#include "fendlelook/CacheFile.h"
#include "fendlelook/FDLQLTextView.h"
#include "fendlelook/PreviewDocument.h"
#include "fendlelook/ThumbnailScaling.h"
#include "fendlelook/module/BundleResources.h"
#include "fendlelook/module/FileIcon.h"
#include "platform/system/Log.h"

#include <QGuiApplication>
#include <QUrl>

namespace fendle::look {
namespace {

// Fonts exist only inside a QGuiApplication; without one nothing is made.
bool guiApplicationRuns(const char* caller) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return true;
    logLine(QStringLiteral("FendleLook:%1 no QGuiApplication runs in the host").arg(QLatin1String(caller)));
    return false;
}

bool usable(const FLBitmapContext* context, QSize size) {
    return context && context->pixels && context->width == size.width() && context->height == size.height() &&
           context->bytesPerRow >= 4 * size.width();
}

// Asks the request for a bitmap context of the size, lets draw fill it and
// hands it back.
template <typename Draw>
void drawIntoRequest(FLThumbnailRequest* request, QSize size, Draw draw) {
    if (!request->createContext || !request->flushContext || !request->releaseContext) return;
    FLBitmapContext* context = request->createContext(request, FLSize{double(size.width()), double(size.height())}, true);
    if (!context) return;
    if (usable(context, size)) {
        QImage image(context->pixels, size.width(), size.height(), context->bytesPerRow,
                     QImage::Format_ARGB32_Premultiplied);
        draw(image);
        request->flushContext(request, context);
    }
    request->releaseContext(request, context);
}

void drawFileIcon(FLThumbnailRequest* request, const QString& path, const QString& contentType, QSizeF maximumSize) {
    const auto size = ThumbnailScaling::iconSize(maximumSize);
    if (!size) return;
    const auto icon = FileIcon::find(path, contentType, size->width());
    if (!icon) return;
    drawIntoRequest(request, *size, [&](QImage& context) { ThumbnailScaling::drawCentred(*icon, context); });
}

void drawCacheFile(FLThumbnailRequest* request, const QString& path, QSizeF maximumSize) {
    const QRect frame(0, 0, FDLQLTextView::Side, FDLQLTextView::Side);
    const auto size = ThumbnailScaling::thumbnailSize(frame.size(), maximumSize);
    if (!size) return;
    const auto file = CacheFile::read(path);
    if (!file) return;
    FDLQLTextView view(frame, BundleResources::backgroundImage());
    view.setText(ThumbnailText::from(*file));
    const QImage bitmap = view.render();
    drawIntoRequest(request, *size, [&](QImage& context) { ThumbnailScaling::drawScaled(bitmap, context); });
}

}  // namespace

QString FendleLookGenerator::pathOfUrl(const QByteArray& url) {
    const QUrl address = QUrl::fromEncoded(url, QUrl::TolerantMode);
    return address.isLocalFile() ? address.toLocalFile() : QString();
}

void FendleLookGenerator::generatePreview(FLPreviewRequest* request, const QByteArray& url) {
    if (!request || !request->setDataRepresentation || !guiApplicationRuns("GeneratePreviewForURL")) return;
    const CacheFile file = CacheFile::read(pathOfUrl(url)).value_or(CacheFile{});
    const QByteArray rtf = PreviewDocument::rtf(file);
    request->setDataRepresentation(request, rtf.constData(), static_cast<size_t>(rtf.size()), FL_RTF_CONTENT_TYPE);
}

void FendleLookGenerator::generateThumbnail(FLThumbnailRequest* request, const QByteArray& url,
                                            const QByteArray& contentType, QSizeF maximumSize) {
    if (!request || !guiApplicationRuns("GenerateThumbnailForURL")) return;
    const QString path = pathOfUrl(url);
    if (contentType != FL_CACHE_FILE_CONTENT_TYPE)
        drawFileIcon(request, path, QString::fromUtf8(contentType), maximumSize);
    else
        drawCacheFile(request, path, maximumSize);
}

}  // namespace fendle::look
