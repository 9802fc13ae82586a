#pragma once
#include "document/SlipLinkPorts.h"

#include <QString>

namespace fendle {

class Box;
class UiPort;

// "Make Slip Link": turns the selection of the slip text, or the key
// itself, into an internal link to a slip of the active collection.
class SlipLinkMaker {
public:
    SlipLinkMaker(Box& box, UiPort& ui, const SlipLinkPorts& ports) : box_(box), ui_(ui), ports_(ports) {}

    QString externalSlipLinkStringForSlipKey(const QString& key) const;
    void makeSlipLink();
    // The dialogue's OK with its number field; true when the sheet closed.
    bool makeSlipLinkOK(const QString& numberField);
    void makeSlipLinkCancel();
    void createLinkToSlipWithID(const QString& key);

private:
    Box& box_;
    UiPort& ui_;
    const SlipLinkPorts& ports_;
};

}  // namespace fendle
