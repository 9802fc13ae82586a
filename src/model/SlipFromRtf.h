#pragma once
#include "model/Slip.h"

#include <QString>

namespace fendle {

// initWithID:fromRTF: — a slip numbered slipID whose text is read from a rich
// text file (RTF, an RTFD package or plain text). nullptr, with the reason
// in error, when the file cannot be read.
SlipPtr slipWithIDFromRTF(quint32 slipID, const QString& path, QString* error = nullptr);

}  // namespace fendle
