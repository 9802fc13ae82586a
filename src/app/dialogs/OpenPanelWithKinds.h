#pragma once
#include "platform/ui/UiPort.h"

#include <QFileDialog>

class QComboBox;

namespace fendle {

// An open panel with a chooser of file kinds beside its list: each kind
// shows folders and the files of its extensions, and allows one file or
// several.
class OpenPanelWithKinds : public QFileDialog {
    Q_OBJECT
public:
    OpenPanelWithKinds(const UiPort::OpenPanel& panel, QWidget* parent = nullptr);

    QComboBox* kindChooser() const { return chooser_; }
    int kind() const;

private:
    QList<UiPort::FileKind> kinds_;
    QComboBox* chooser_;

    void applyKind(int index);
};

}  // namespace fendle
