#include "app/program/ClipboardPasteboard.h"

#include "app/program/MimeDataPasteboard.h"

#include <QGuiApplication>
#include <QMimeData>

namespace fendle {

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
    MimeDataPasteboard forms(*mime);
    for (const QString& form : order_) forms.setData(form, forms_.value(form));
    QGuiApplication::clipboard()->setMimeData(mime, mode_);
    return true;
}

std::optional<QByteArray> ClipboardPasteboard::data(const QString& type) const {
    return MimeDataPasteboard(QGuiApplication::clipboard()->mimeData(mode_)).data(type);
}

QStringList ClipboardPasteboard::types() const {
    return MimeDataPasteboard(QGuiApplication::clipboard()->mimeData(mode_)).types();
}

}  // namespace fendle
