#pragma once
#include <QString>

namespace fendle {

class Box;

// "Make Slip Link": turns the selection of the slip text, or the key
// itself, into an internal link to a slip of the active collection.
class SlipLinkMaker {
public:
    explicit SlipLinkMaker(Box& box) : box_(box) {}

    QString externalSlipLinkStringForSlipKey(const QString& key) const;
    void makeSlipLink();
    // The dialogue's OK with its number field; true when the sheet closed.
    bool makeSlipLinkOK(const QString& numberField);
    void makeSlipLinkCancel();
    void createLinkToSlipWithID(const QString& key);

private:
    Box& box_;
};

}  // namespace fendle
