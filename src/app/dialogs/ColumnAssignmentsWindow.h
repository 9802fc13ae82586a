#pragma once
#include "io/ColumnAssignmentsDialog.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;

namespace fendle {

// "Assign Columns for File Import": for each of the twelve columns of the
// file the slip field it goes to and its order within that field, and the
// file's encoding. Made once and kept, like the settings it shows.
class ColumnAssignmentsWindow : public QDialog, public ColumnAssignmentsDialog {
    Q_OBJECT
public:
    explicit ColumnAssignmentsWindow(QWidget* parent = nullptr);

    bool runDialog(ColumnAssignmentsForImport& settings) override;

    // Columns count from 1.
    QComboBox* columnPopup(int column) const { return popups_.value(column - 1); }
    QLineEdit* numberField(int column) const { return fields_.value(column - 1); }
    QComboBox* encodingPopup() const { return encodingPopup_; }

private:
    QLabel* fileLabel_;
    QList<QComboBox*> popups_;
    QList<QLineEdit*> fields_;
    QComboBox* encodingPopup_;

    void showSettings(const ColumnAssignmentsForImport& settings);
    void takeSettings(ColumnAssignmentsForImport& settings) const;
};

}  // namespace fendle
