#pragma once
#include <QPlainTextEdit>
#include <QPoint>
#include <QSize>

namespace fendle {

// The keywords field: one line to start with, wrapping its keywords over
// more lines and growing downwards as they are typed, so that the text
// area below gives up the room; it shrinks back when keywords go. Return
// ends the edit as leaving the field does; Tab and Shift-Tab move on.
class KeywordsField : public QPlainTextEdit {
    Q_OBJECT
public:
    // Beyond this the field scrolls instead of growing.
    static constexpr int MaximumLines = 6;
    // Pasted text is cut to this many characters: a keyword list, not a book.
    static constexpr qsizetype MaximumPastedLength = 64 * 1024;

    explicit KeywordsField(QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    // Shows a text without it counting as typed.
    void setText(const QString& text);
    int cursorPosition() const { return textCursor().position(); }
    void setCursorPosition(int position);

    // The one-line size the field starts with and never goes below, and
    // its place in the window, taken while it had that size.
    QSize standardSize() const { return standardSize_; }
    QPoint positionInWindow() const { return positionInWindow_; }
    // Lines the text takes at the field's present width (at least 1).
    int lineCount() const;
    // Fits the height to the text, between the standard height and
    // MaximumLines; the window's layout moves what lies below.
    void adjustSizeAndAnimate();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Typed or pasted by the user, not set by the program.
    void textEdited(const QString& text);
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QSize standardSize_;
    QPoint positionInWindow_;
    bool settingText_ = false;

    int heightForLines(int lines) const;
};

}  // namespace fendle
