#include "model/SlipFromRtf.h"

#include "platform/RichTextFile.h"

namespace fendle {

SlipPtr slipWithIDFromRTF(quint32 slipID, const QString& path, QString* error) {
    const RichTextResult result = RichTextFile::read(path);
    if (!result.ok()) {
        if (error) *error = result.error;
        return nullptr;
    }
    SlipPtr slip = Slip::create(slipID);
    slip->setText(*result.text);
    return slip;
}

}  // namespace fendle
