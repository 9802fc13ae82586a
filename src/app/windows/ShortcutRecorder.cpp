#include "app/windows/ShortcutRecorder.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace fendle {

ShortcutRecorder::ShortcutRecorder(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setPlaceholderText(QStringLiteral("Click to record shortcut"));
}

void ShortcutRecorder::setKeys(QKeyCombination keys) {
    setText(keys.key() == Qt::Key_unknown || keys.toCombined() == 0 ? QString()
                                                                    : QKeySequence(keys).toString(QKeySequence::NativeText));
}

void ShortcutRecorder::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // Modifiers alone make no combination yet.
    if (key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta || key == 0 ||
        key == Qt::Key_unknown)
        return;
    // Tab without Ctrl moves on to the next control, as everywhere.
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    if ((key == Qt::Key_Backspace) && event->modifiers() == Qt::NoModifier) {
        emit cleared();
        return;
    }
    emit keysRecorded(QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(key)));
}

}  // namespace fendle
