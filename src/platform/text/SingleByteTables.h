#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace fendle::singlebyte {

// Character sets ICU has no converter for, as byte → UTF-16 tables
// (0 marks a byte without a character).
using Table = std::array<char16_t, 256>;

const Table& nextStep();
const Table& adobeSymbol();

// With strict set, a byte without a character gives nullopt; otherwise U+FFFD.
std::optional<QString> decodeStrict(QByteArrayView bytes, const Table& table);
QString decode(QByteArrayView bytes, const Table& table);

// Unencodable characters become "?" and their indexes are reported.
QByteArray encode(const QString& text, const Table& table, QList<qsizetype>* unencodable);

}  // namespace fendle::singlebyte
