#pragma once
#include "app/editing/RichTextDocument.h"
#include "model/Slip.h"

#include <QFont>
#include <QWidget>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace fendle {

class Box;
class UiPort;

// A read-only window beside the box window that shows one slip of the box,
// found again by its key on every refresh. Its flag check box and its
// "Go To Slip" button ask the box; the window itself changes nothing.
class ExtraSlipWindow : public QWidget {
    Q_OBJECT
public:
    // plainTextFont: "PlainTextFont" for the keywords, source and type.
    ExtraSlipWindow(Box& box, UiPort& ui, const QString& slipKey, const std::optional<QFont>& plainTextFont,
                    QWidget* parent = nullptr);

    const QString& keyOfRepresentedSlip() const { return key_; }
    Box& box() const { return box_; }
    // Unique among the program's extra windows; the box finds windows by it.
    int windowNumber() const { return number_; }
    // The box's slip for the key; none once it was removed.
    SlipPtr displayedSlip() const;
    // Shows the slip as the box holds it now (empty once it is gone).
    void updateWindow();
    // "Slip %@ - %@": the key and the box file's name up to its first ".".
    static QString titleFor(const QString& slipKey, const std::optional<QString>& boxFile);

    QTextEdit* slipTextView() const { return text_; }
    QLineEdit* keywordsField() const { return keywords_; }
    QLineEdit* sourceField() const { return source_; }
    QLineEdit* typeField() const { return type_; }
    QCheckBox* flaggedCheckBox() const { return flagged_; }
    QPushButton* goToSlipButton() const { return goTo_; }

signals:
    void changeCurrentSlipRequestFromWindow(const QString& slipKey);
    void toggleFlagged(const QString& slipKey);
    void closeAllExtraSlipWindows();
    void arrangeExtraSlipWindows();

private:
    Box& box_;
    UiPort& ui_;
    QString key_;
    int number_;
    QTextEdit* text_;
    RichTextDocument document_;
    std::optional<RichText> shownText_;
    QLineEdit* keywords_;
    QLineEdit* source_;
    QLineEdit* type_;
    QCheckBox* flagged_;
    QPushButton* goTo_;

    QLineEdit* makeField(const std::optional<QFont>& font);
    void addForwardingAction(const QString& title, void (ExtraSlipWindow::*signal)());
};

}  // namespace fendle
