#pragma once
#include <QDialog>
#include <functional>

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

    std::function<void(const QString& oldKeyword, const QString& newKeyword)> replaceKeywordOK;

private:
    QLineEdit* old_;
    QLineEdit* new_;
};

}  // namespace fendle
