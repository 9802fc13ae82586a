#pragma once
#include "io/ColumnAssignmentsForImport.h"

namespace fendle {

// The modal "Assign Columns for File Import" dialog, as the importer sees
// it: it shows the settings, lets the user change them and answers true for
// OK (the changes kept) or false for Cancel (the settings as they were).
class ColumnAssignmentsDialog {
public:
    virtual ~ColumnAssignmentsDialog() = default;
    virtual bool runDialog(ColumnAssignmentsForImport& settings) = 0;
};

}  // namespace fendle
