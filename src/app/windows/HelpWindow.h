#pragma once
#include <QTextBrowser>

namespace fendle {

// The program's own help pages, shipped inside the program.
class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    static inline const QString IndexPage = QStringLiteral("qrc:/help/index.html");

    explicit HelpWindow(QWidget* parent = nullptr);
};

}  // namespace fendle
