// Placeholder: replaced when the real view lands.
#pragma once
#include <QWidget>

namespace fendle {

class Box;

class SlipScentView : public QWidget {
    Q_OBJECT
public:
    explicit SlipScentView(Box& box, QWidget* parent = nullptr);
    void refresh();

private:
    Box& box_;
};

}  // namespace fendle
