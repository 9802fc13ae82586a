#pragma once
#include <QString>
#include <optional>

namespace fendle {

// The first free numbered variant of an export path: Notes.rtf → Notes-1.rtf,
// Notes-3.rtf → Notes-4.rtf, going on while the candidate exists. Only the
// file name is numbered; the folder stays as given. nullopt when no free
// name turns up within a bounded number of tries.
std::optional<QString> numberedFilenameForFilename(const QString& path);

}  // namespace fendle
