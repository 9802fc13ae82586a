#pragma once
#include <QList>
#include <QString>

namespace fendle {

// The encodings plain-text export offers, in menu order.
class ExportEncodings {
public:
    static constexpr int Default = 10;  // UTF-16
    static const QList<int>& numbers();
    static QString title(int number);
    // Any title the menu does not hold gives the default.
    static int encodingForTitle(const QString& title);
};

}  // namespace fendle
