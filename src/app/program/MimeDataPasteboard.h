#pragma once
#include "platform/ui/Pasteboard.h"

class QMimeData;

namespace fendle {

// The forms of one QMimeData (what the clipboard holds, a copy, a drag) as
// a pasteboard. Slips travel as "application/x-fendle-slips", text as
// "text/plain", RTF as "text/rtf" (taken from "application/rtf" too);
// other forms keep their type as the MIME type.
class MimeDataPasteboard : public Pasteboard {
public:
    static inline const QString SlipsMimeType = QStringLiteral("application/x-fendle-slips");
    static inline const QString TextMimeType = QStringLiteral("text/plain");
    static inline const QString RtfMimeTypeAlternative = QStringLiteral("application/rtf");
    // Nothing larger is read: another program may have put it there.
    static constexpr qsizetype MaxFormSize = qsizetype(256) << 20;

    // Only reads; data may be null (an empty clipboard).
    explicit MimeDataPasteboard(const QMimeData* data) : data_(data) {}
    explicit MimeDataPasteboard(QMimeData& data) : data_(&data), writable_(&data) {}

    void clearContents() override;
    // False on a pasteboard that only reads.
    bool setData(const QString& type, const QByteArray& data) override;
    std::optional<QByteArray> data(const QString& type) const override;
    QStringList types() const override;

    static QString mimeTypeFor(const QString& type);
    static QString typeForMimeType(const QString& mimeType);

private:
    const QMimeData* data_;
    QMimeData* writable_ = nullptr;
};

}  // namespace fendle
