// Placeholder: replaced when the real view lands.
#pragma once
#include <QTextEdit>

namespace fendle {

class Box;

class SlipTextView : public QTextEdit {
    Q_OBJECT
public:
    explicit SlipTextView(fendle::Box& box, QWidget* parent = nullptr);
    void showEditorText();

private:
    fendle::Box& box_;
};

}  // namespace fendle
