#pragma once
#include <QString>

namespace fendle {

// How an imported file comes in, by its extension: a box, comma- or
// tab-delimited rows, or one new slip made from the file. A ".txt" is
// tab-delimited only when the user asked for that kind; otherwise it is
// a text for one slip.
enum class ImportRoute { Box, CommaDelimited, TabDelimited, FileIntoSlip };

ImportRoute importRouteOf(const QString& path, bool txtIsTabDelimited);

}  // namespace fendle
