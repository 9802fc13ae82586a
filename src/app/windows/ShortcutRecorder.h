#pragma once
#include <QKeyCombination>
#include <QLineEdit>

namespace fendle {

// A field that records the next key pressed with its modifiers and shows
// it; Backspace on its own clears it.
class ShortcutRecorder : public QLineEdit {
    Q_OBJECT
public:
    explicit ShortcutRecorder(QWidget* parent = nullptr);
    void setKeys(QKeyCombination keys);

signals:
    void keysRecorded(QKeyCombination keys);
    void cleared();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace fendle
