// Placeholder: replaced when the real view lands.
#pragma once
#include <QWidget>

namespace fendle {

class Box;

class AlternatingScentView : public QWidget {
    Q_OBJECT
public:
    explicit AlternatingScentView(Box& box, QWidget* parent = nullptr);
    void refresh();

private:
    Box& box_;
};

}  // namespace fendle
