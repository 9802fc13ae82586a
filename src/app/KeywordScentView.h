// Placeholder: replaced when the real view lands.
#pragma once
#include <QWidget>

namespace fendle {

class Box;

class KeywordScentView : public QWidget {
    Q_OBJECT
public:
    explicit KeywordScentView(Box& box, QWidget* parent = nullptr);
    void refresh();

private:
    Box& box_;
};

}  // namespace fendle
