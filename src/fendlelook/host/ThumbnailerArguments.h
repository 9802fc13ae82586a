#pragma once
#include "fendlelook/host/FileArgument.h"
#include "platform/system/Result.h"

#include <QStringList>

namespace fendle::look {

// The command line of a freedesktop thumbnailer: -s SIZE INPUT OUTPUT.
struct ThumbnailerArguments {
    static constexpr int MaximumSize = 4096;

    int size = 0;
    FileArgument input;
    QString output;

    // arguments without the program name.
    static Result<ThumbnailerArguments> parse(const QStringList& arguments);
    static QString usage(const QString& program);
};

}  // namespace fendle::look
