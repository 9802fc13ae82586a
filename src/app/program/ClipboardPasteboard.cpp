#include "app/program/ClipboardPasteboard.h"

#include <QGuiApplication>
#include <QMimeData>

namespace fendle {

QString ClipboardPasteboard::mimeTypeFor(const QString& type) {
    if (type == SlipsType) return SlipsMimeType;
    if (type == StringType) return TextMimeType;
    return type;
}

QString ClipboardPasteboard::typeForMimeType(const QString& mimeType) {
    if (mimeType == SlipsMimeType) return SlipsType;
    if (mimeType == TextMimeType || mimeType == StringType) return StringType;
    return mimeType;
}

void ClipboardPasteboard::clearContents() {
    forms_.clear();
    order_.clear();
    QGuiApplication::clipboard()->clear(mode_);
}

bool ClipboardPasteboard::setData(const QString& type, const QByteArray& data) {
    if (type.isEmpty()) return false;
    if (!forms_.contains(type)) order_.append(type);
    forms_.insert(type, data);
    auto* mime = new QMimeData;
    for (const QString& form : order_) mime->setData(mimeTypeFor(form), forms_.value(form));
    QGuiApplication::clipboard()->setMimeData(mime, mode_);
    return true;
}

std::optional<QByteArray> ClipboardPasteboard::data(const QString& type) const {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData(mode_);
    const QString mimeType = mimeTypeFor(type);
    if (!mime || !mime->hasFormat(mimeType)) return std::nullopt;
    QByteArray bytes = mime->data(mimeType);
    if (bytes.size() > MaxFormSize) return std::nullopt;
    return bytes;
}

QStringList ClipboardPasteboard::types() const {
    QStringList result;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData(mode_);
    if (!mime) return result;
    for (const QString& format : mime->formats()) {
        const QString type = typeForMimeType(format);
        if (!result.contains(type)) result.append(type);
    }
    return result;
}

}  // namespace fendle
