#pragma once
#include "platform/ui/Pasteboard.h"

#include <QClipboard>

namespace fendle {

// The general pasteboard on the system clipboard, its forms under the MIME
// types of MimeDataPasteboard.
class ClipboardPasteboard : public Pasteboard {
public:
    explicit ClipboardPasteboard(QClipboard::Mode mode = QClipboard::Clipboard) : mode_(mode) {}

    void clearContents() override;
    bool setData(const QString& type, const QByteArray& data) override;
    std::optional<QByteArray> data(const QString& type) const override;
    QStringList types() const override;

private:
    QClipboard::Mode mode_;
    // The forms written since the last clear: the clipboard takes one
    // QMimeData, so each new form replaces it with all forms so far.
    QHash<QString, QByteArray> forms_;
    QStringList order_;
};

}  // namespace fendle
