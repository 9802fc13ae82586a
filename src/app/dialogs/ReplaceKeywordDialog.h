#pragma once
#include <QDialog>

class QLineEdit;

namespace fendle {

// "Replace Keyword": the old and the new keyword as typed. OK hands both
// over; the replacement itself is the box's housekeeping.
class ReplaceKeywordDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceKeywordDialog(QWidget* parent = nullptr);

    QLineEdit* oldKeywordField() const { return old_; }
    QLineEdit* newKeywordField() const { return new_; }
    // Shows the dialogue with the old keyword filled in, without waiting.
    void openWithOldKeyword(const QString& keyword);

signals:
    void replaceKeywordOK(const QString& oldKeyword, const QString& newKeyword);

private:
    QLineEdit* old_;
    QLineEdit* new_;
};

}  // namespace fendle
