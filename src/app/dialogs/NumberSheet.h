#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;

namespace fendle {

// The sheet asking for a slip number ("Go To Slip Number", "Merge With
// Slip Number"). The field takes digits only; text that is no number is
// refused in the sheet with a line saying so. Anything else OK hands on as
// typed: the box judges it.
class NumberSheet : public QDialog {
    Q_OBJECT
public:
    NumberSheet(const QString& label, QWidget* parent);
    QLineEdit* numberField() const { return field_; }
    QString label() const;
    // The line under the field that says why OK did nothing; empty when all is well.
    QString refusal() const;

    void pressOK();
    void pressCancel() { emit cancelPressed(); }
    // Escape cancels through the box like the Cancel button.
    void reject() override { pressCancel(); }

signals:
    void okPressed(const QString& numberField);
    void cancelPressed();

private:
    QLineEdit* field_;
    QLabel* refusal_;
    QString label_;
};

}  // namespace fendle
