#pragma once
#include <QString>

namespace fendle {

// What a writer answers: empty error on success.
struct SaveResult {
    QString error;
    bool ok() const { return error.isEmpty(); }
    static SaveResult failure(const QString& message) { return {message}; }
};

}  // namespace fendle
