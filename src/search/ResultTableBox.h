#pragma once
#include <QString>

namespace fendle {

class ResultTable;

// What the result table needs from its box: flags toggled in the table go
// to the box, which records them with undo.
class ResultTableBox {
public:
    virtual ~ResultTableBox() = default;
    virtual void setFlagged(bool flagged, const QString& identifier, ResultTable& sender) = 0;
};

}  // namespace fendle
