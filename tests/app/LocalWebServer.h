#pragma once
#include "support/LocalWebServer.h"

#include <QCursor>
#include <QGuiApplication>
#include <optional>

namespace fendle::test {

// The local web server that also notes the program's cursor as each request
// came in.
class CursorRecordingWebServer : public LocalWebServer {
public:
    QList<std::optional<Qt::CursorShape>> cursors;
    CursorRecordingWebServer() {
        onRequest = [this] {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            cursors.append(cursor ? std::optional<Qt::CursorShape>(cursor->shape()) : std::nullopt);
        };
    }
};

}  // namespace fendle::test
