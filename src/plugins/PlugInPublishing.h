#pragma once
#include "platform/system/Result.h"

#include <QStringList>

namespace fendle {

// Publishes plug-in bundles into a folder that any static web server (or a
// file address) can offer: one "NAME.tgz" per bundle and the catalogue
// "pluginCatalogue.xml" listing them, in the forms the catalogue check
// reads. Entries of a catalogue already in the folder are kept unless a
// bundle replaces them. Answers the archive files written.
Result<QStringList> publishPlugIns(const QStringList& bundlePaths, const QString& folder);

}  // namespace fendle
