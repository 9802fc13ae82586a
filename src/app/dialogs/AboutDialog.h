#pragma once
#include <QMessageBox>

namespace fendle {

// "About Fendle": the program's name, version and what it is, with its icon.
class AboutDialog : public QMessageBox {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent);
    // Opens the dialogue beside the window and returns at once.
    static void present(QWidget* parent);
};

}  // namespace fendle
