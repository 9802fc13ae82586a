#pragma once
#include "app/editing/RichTextDocument.h"
#include "platform/richtext/TextAttributes.h"

#include <QTextEdit>
#include <optional>

namespace fendle {

class Box;

// The slip text view. It shows the editor model's text; every change the
// user makes goes to the model as a replacement of a range, so the box's
// undo manager holds the typing steps (the view's own undo is off, and the
// Undo and Redo keys are left to the window's menu).
// (Inside the class, "Box" alone would name the frame shape.)
class SlipTextView : public QTextEdit {
    Q_OBJECT
public:
    explicit SlipTextView(fendle::Box& box, QWidget* parent = nullptr);

    // Shows the model's text and selection again without starting an edit.
    void showEditorText();
    RichTextDocument& richTextDocument() { return converter_; }

    // Zoom: the box's zoom factor, in percent.
    static const QList<int>& zoomFactors();
    void setZoomToSize(int percent);
    void zoomIn();
    void zoomOut();
    void zoomToActualSize() { setZoomToSize(100); }
    int currentZoomFactor() const;

    // Highlight: the selection's background takes the highlight colour, or
    // loses it when its first character already has it.
    void highlightText();
    // The preference "HighlightColour" unless set here.
    void setHighlightColour(const ColorAttribute& colour) { highlightColour_ = colour; }
    ColorAttribute highlightColour() const;

    // The preference "TabSwitchesToKeywords" unless set here: Tab then
    // moves on to the keywords field, Shift-Tab back to the slip scents.
    void setTabSwitchesToKeywords(bool on) { tabSwitchesToKeywords_ = on; }
    bool tabSwitchesToKeywords() const;

    // Inserts the clipboard's characters with the attributes typing would give.
    void pasteAsPlainText();

signals:
    // The user moved the cursor or the selection.
    void slipTextSelectionChanged();
    void zoomChanged(int percent);
    // Shift-Tab asks the window to focus the slip-scent list.
    void focusSlipScentsRequested();
    // A Ctrl-click (any click while the text cannot be edited) on a link.
    void linkClicked(const QString& target);
    // A drop changed the slip as one step of the box.
    void textDropped();
    // A picture was double-clicked: the inspector offers to resize it.
    void imageDoubleClicked();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    QVariant loadResource(int type, const QUrl& name) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    fendle::Box& box_;
    RichTextDocument converter_;
    std::optional<ColorAttribute> highlightColour_;
    std::optional<bool> tabSwitchesToKeywords_;
    int lastZoomFactor_ = 100;
    bool showing_ = false;

    void documentChanged(int position, int removed, int added);
    void selectionMoved();
    void showSelection();
    TextRange viewSelection() const;
    void toggleTypingHighlight();
    bool handleTab(QKeyEvent* event);
    void insertRichText(const RichText& text);
    RichText plainTextWithTypingAttributes(const QString& text) const;
    // The character under the point when it is a picture; none otherwise.
    std::optional<qsizetype> pictureAt(const QPoint& point) const;
    QRectF characterRect(int index) const;
};

}  // namespace fendle
