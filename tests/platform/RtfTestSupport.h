#pragma once
#include "platform/RichText.h"

#include <QFile>
#include <QString>

// Helpers shared by the RTF and RTFD tests.
namespace rtftest {

inline QByteArray sampleBytes(const QString& name) {
    QFile file(QStringLiteral(FENDLE_SAMPLES_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline fendle::Attributes attributesOf(const fendle::RichText& text, const QString& part, qsizetype from = 0) {
    const qsizetype at = text.string().indexOf(part, from);
    return at < 0 ? fendle::Attributes{} : text.attributesAt(at);
}

inline std::optional<QString> linkAt(const fendle::RichText& text, qsizetype index) {
    auto link = text.attributesAt(index).get<fendle::LinkAttribute>(fendle::attr::Link);
    return link ? std::optional<QString>(link->url) : std::nullopt;
}

inline fendle::FontAttribute fontOf(const fendle::Attributes& a) {
    return a.get<fendle::FontAttribute>(fendle::attr::Font).value_or(fendle::FontAttribute{});
}

}  // namespace rtftest
