#pragma once
#include "scents/Scent.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace fendle {

// An ordered list of scents, objects compared by identity. A side table from
// identity to position keeps containsObject and incrementStrengthOfObject
// constant time, which ranking a slip against a large box depends on.
class ScentArray {
public:
    explicit ScentArray(qsizetype capacity = 0);

    void addObject(const Scent& scent);
    bool containsObject(const QString& object) const;
    void incrementStrengthOfObject(const QString& object);
    qsizetype count() const { return array_.size(); }
    // Strongest first; equal strengths keep the order they were added in.
    void sortByStrength();
    QStringList simpleScentArray() const;

    const QList<Scent>& scentArray() const { return array_; }
    void setScentArray(const QList<Scent>& array);

private:
    QList<Scent> array_;
    QHash<const void*, qsizetype> firstPosition_;

    void reindex();
};

}  // namespace fendle
