#pragma once

namespace fendle {

// The field of the box window being edited; a box records it as its changed
// cell with these numbers.
enum class EditorCell : int { Text = 0, Keywords = 1, Source = 2, Type = 3, None = 5 };

}  // namespace fendle
