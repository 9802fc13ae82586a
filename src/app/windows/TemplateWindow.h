#pragma once
#include "platform/richtext/RichText.h"
#include "platform/richtext/TextRange.h"

#include <QDialog>
#include <optional>

class QTextEdit;

namespace fendle {

// The window in which the slip template is edited. Its buttons reach the
// box, which reads the text back and closes the window.
class TemplateWindow : public QDialog {
    Q_OBJECT
public:
    TemplateWindow(const std::optional<RichText>& text, const QList<TextRange>& selection, QWidget* parent);
    QTextEdit* textView() const { return textView_; }
    // The edited template: the original styled text while its characters
    // are unchanged, else the new characters in the style of its start.
    RichText text() const;
    QList<TextRange> selection() const;

    void reject() override { emit cancelPressed(); }

signals:
    void okPressed();
    void cancelPressed();
    void deletePressed();

private:
    QTextEdit* textView_;
    RichText original_;
};

}  // namespace fendle
