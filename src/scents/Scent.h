#pragma once
#include <QString>
#include <QtGlobal>

namespace fendle {

// One ranked object. The object is a string held by value; rankings tell
// objects apart by identity, i.e. by the shared character data, so two keys
// of one index build are the same object exactly when they share storage.
struct Scent {
    QString object;
    quint32 strength = 0;

    static Scent scentWithObject(const QString& object, quint32 strength) { return Scent{object, strength}; }
    const void* identity() const { return object.constData(); }
};

}  // namespace fendle
