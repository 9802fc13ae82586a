#include "app/program/MimeDataPasteboard.h"

#include <QMimeData>

namespace fendle {

QString MimeDataPasteboard::mimeTypeFor(const QString& type) {
    if (type == SlipsType) return SlipsMimeType;
    if (type == StringType) return TextMimeType;
    return type;
}

QString MimeDataPasteboard::typeForMimeType(const QString& mimeType) {
    if (mimeType == SlipsMimeType) return SlipsType;
    if (mimeType == TextMimeType || mimeType == StringType) return StringType;
    if (mimeType == RtfMimeTypeAlternative) return RtfType;
    return mimeType;
}

void MimeDataPasteboard::clearContents() {
    if (writable_) writable_->clear();
}

bool MimeDataPasteboard::setData(const QString& type, const QByteArray& data) {
    if (!writable_ || type.isEmpty()) return false;
    writable_->setData(mimeTypeFor(type), data);
    return true;
}

std::optional<QByteArray> MimeDataPasteboard::data(const QString& type) const {
    if (!data_) return std::nullopt;
    QStringList candidates{mimeTypeFor(type)};
    if (type == RtfType) candidates.append(RtfMimeTypeAlternative);
    for (const QString& mimeType : candidates) {
        if (!data_->hasFormat(mimeType)) continue;
        QByteArray bytes = data_->data(mimeType);
        if (bytes.size() > MaxFormSize) return std::nullopt;
        return bytes;
    }
    return std::nullopt;
}

QStringList MimeDataPasteboard::types() const {
    QStringList result;
    if (!data_) return result;
    for (const QString& format : data_->formats()) {
        const QString type = typeForMimeType(format);
        if (!result.contains(type)) result.append(type);
    }
    return result;
}

}  // namespace fendle
