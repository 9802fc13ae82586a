#pragma once
#include <QDialog>

class QLineEdit;

namespace fendle {

// The sheet asking for a slip number ("Go To Slip Number", "Merge With
// Slip Number"). OK hands the field's text on as typed: the box judges it.
class NumberSheet : public QDialog {
    Q_OBJECT
public:
    NumberSheet(const QString& label, QWidget* parent);
    QLineEdit* numberField() const { return field_; }
    QString label() const;

    void pressOK();
    void pressCancel() { emit cancelPressed(); }
    // Escape cancels through the box like the Cancel button.
    void reject() override { pressCancel(); }

signals:
    void okPressed(const QString& numberField);
    void cancelPressed();

private:
    QLineEdit* field_;
    QString label_;
};

}  // namespace fendle
