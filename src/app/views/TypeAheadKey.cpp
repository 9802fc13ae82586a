#include "app/views/TypeAheadKey.h"

#include <QKeyEvent>

namespace fendle {

QString typeAheadText(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return QString();
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint()) return QString();
    return text;
}

}  // namespace fendle
