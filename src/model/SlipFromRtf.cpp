#include "model/SlipFromRtf.h"

#include "platform/richtext/RichTextFile.h"

namespace fendle {

SlipPtr slipWithIDFromRTF(quint32 slipID, const QString& path, QString* error) {
    const Result<RichText> result = RichTextFile::read(path);
    if (!result.ok()) {
        if (error) *error = result.error();
        return nullptr;
    }
    SlipPtr slip = Slip::create(slipID);
    slip->setText(*result);
    return slip;
}

}  // namespace fendle
