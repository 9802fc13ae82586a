#pragma once
#include "platform/ui/Pasteboard.h"

#include <QClipboard>

namespace fendle {

// The general pasteboard on the system clipboard. Slips travel as
// "application/x-fendle-slips", text as "text/plain"; other forms keep
// their type as the MIME type.
class ClipboardPasteboard : public Pasteboard {
public:
    static inline const QString SlipsMimeType = QStringLiteral("application/x-fendle-slips");
    static inline const QString TextMimeType = QStringLiteral("text/plain");
    // Nothing larger is taken from the clipboard: another program put it there.
    static constexpr qsizetype MaxFormSize = qsizetype(256) << 20;

    explicit ClipboardPasteboard(QClipboard::Mode mode = QClipboard::Clipboard) : mode_(mode) {}

    void clearContents() override;
    bool setData(const QString& type, const QByteArray& data) override;
    std::optional<QByteArray> data(const QString& type) const override;
    QStringList types() const override;

    static QString mimeTypeFor(const QString& type);
    static QString typeForMimeType(const QString& mimeType);

private:
    QClipboard::Mode mode_;
    // The forms written since the last clear: the clipboard takes one
    // QMimeData, so each new form replaces it with all forms so far.
    QHash<QString, QByteArray> forms_;
    QStringList order_;
};

}  // namespace fendle
