#pragma once
#include "cli/Command.h"
#include "model/BoxData.h"
#include "model/BoxFile.h"

#include <memory>
#include <optional>

namespace fendle::cli {

struct LoadedBox {
    std::unique_ptr<BoxData> box;
    BoxFile::Form form = BoxFile::Form::Keyed;
};

// Reads a box in any form for a command; on failure the reason has been
// printed through fail() and nullopt is answered (the command returns 2).
std::optional<LoadedBox> loadBoxForCli(const QString& path, Io& io);

// Checks the number of positional arguments and the options of a command;
// prints what is wrong and answers false.
bool expectArguments(const Arguments& arguments, Io& io, qsizetype count, const QStringList& allowedOptions,
                     const QString& synopsis);

// Writes the box (current form, or the older one); prints failures through
// fail(). Returns the command's exit status.
int saveBoxForCli(const BoxData& box, const QString& path, Io& io, bool olderForm = false);

}  // namespace fendle::cli
