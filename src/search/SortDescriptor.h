#pragma once
#include <QString>

namespace fendle {

// A table's sort request: the column key and the direction.
struct SortDescriptor {
    QString key;
    bool ascending = true;
};

}  // namespace fendle
