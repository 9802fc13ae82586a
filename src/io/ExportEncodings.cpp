#include "io/ExportEncodings.h"

#include "platform/text/TextEncoding.h"

namespace fendle {

const QList<int>& ExportEncodings::numbers() {
    using namespace encoding;
    static const QList<int> list{Unicode,       UTF8,          MacOSRoman,    ASCII,         NEXTSTEP,      ISOLatin1,
                                 Symbol,        NonLossyASCII, ShiftJIS,      ISOLatin2,     WindowsCP1251, WindowsCP1252,
                                 WindowsCP1253, WindowsCP1254, WindowsCP1250, JapaneseEUC,   ISO2022JP};
    return list;
}

QString ExportEncodings::title(int number) { return TextEncoding::title(number); }

int ExportEncodings::encodingForTitle(const QString& title) {
    for (int number : numbers())
        if (TextEncoding::title(number) == title) return number;
    return Default;
}

}  // namespace fendle
