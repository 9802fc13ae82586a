#include "app/views/LocaleDate.h"

#include <QLocale>

namespace fendle {

QString localeDateText(const QDateTime& date) {
    return date.isValid() ? QLocale().toString(date.toLocalTime(), QLocale::ShortFormat) : QString();
}

}  // namespace fendle
