#include "app/editing/KeywordsField.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

namespace fendle {

KeywordsField::KeywordsField(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTabChangesFocus(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    standardSize_ = QSize(200, heightForLines(1));
    setFixedHeight(standardSize_.height());
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        adjustSizeAndAnimate();
        if (!settingText_) emit textEdited(text());
    });
}

void KeywordsField::setText(const QString& text) {
    settingText_ = true;
    setPlainText(text);
    moveCursor(QTextCursor::End);
    settingText_ = false;
}

void KeywordsField::setCursorPosition(int position) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(position, 0, int(text().size())));
    setTextCursor(cursor);
}

int KeywordsField::heightForLines(int lines) const {
    const int margin = int(document()->documentMargin());
    return lines * fontMetrics().lineSpacing() + 2 * margin + 2 * frameWidth();
}

int KeywordsField::lineCount() const {
    // Laid out here rather than asked of the document, whose layout is
    // lazy and may still know an old width.
    const qreal width = std::max<qreal>(1, viewport()->width() - 2 * document()->documentMargin());
    QTextOption option = document()->defaultTextOption();
    option.setWrapMode(wordWrapMode());
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        QTextLayout layout(block.text(), font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++lines;
            if (lines >= MaximumLines) break;
        }
        layout.endLayout();
        if (lines >= MaximumLines) break;
    }
    return std::max(1, lines);
}

void KeywordsField::adjustSizeAndAnimate() {
    // Growing keeps the place the field has at its standard size.
    if (this->height() <= standardSize_.height() && isVisible()) positionInWindow_ = mapTo(window(), QPoint(0, 0));
    const int height = std::max(standardSize_.height(), heightForLines(lineCount()));
    if (height != this->height() || minimumHeight() != height) setFixedHeight(height);
}

QSize KeywordsField::sizeHint() const { return {standardSize_.width(), std::max(standardSize_.height(), height())}; }

QSize KeywordsField::minimumSizeHint() const { return {fontMetrics().averageCharWidth() * 8, standardSize_.height()}; }

void KeywordsField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Keywords are one list: a line break would become part of a keyword.
        emit returnPressed();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void KeywordsField::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText() || isReadOnly()) return;
    QString pasted = source->text().left(MaximumPastedLength);
    pasted.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : pasted)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator ||
            c == QChar::LineSeparator)
            c = QLatin1Char(' ');
    textCursor().insertText(pasted);
}

void KeywordsField::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    // A new width wraps the keywords anew.
    adjustSizeAndAnimate();
}

void KeywordsField::showEvent(QShowEvent* event) {
    QPlainTextEdit::showEvent(event);
    adjustSizeAndAnimate();
}

void KeywordsField::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        standardSize_.setHeight(heightForLines(1));
        adjustSizeAndAnimate();
    }
}

}  // namespace fendle
