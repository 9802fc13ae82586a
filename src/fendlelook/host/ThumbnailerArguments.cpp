#include "fendlelook/host/ThumbnailerArguments.h"

namespace fendle::look {

Result<ThumbnailerArguments> ThumbnailerArguments::parse(const QStringList& arguments) {
    using R = Result<ThumbnailerArguments>;
    ThumbnailerArguments parsed;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != QStringLiteral("-s")) {
            files.append(arguments[i]);
            continue;
        }
        if (++i == arguments.size()) return R::failure(QStringLiteral("-s needs a size"));
        bool number = false;
        parsed.size = arguments[i].toInt(&number);
        if (!number || parsed.size < 1 || parsed.size > MaximumSize)
            return R::failure(QStringLiteral("the size must be a number from 1 to %1").arg(MaximumSize));
    }
    if (parsed.size == 0) return R::failure(QStringLiteral("-s SIZE is missing"));
    if (files.size() != 2) return R::failure(QStringLiteral("give one input and one output file"));
    const auto input = FileArgument::from(files[0]);
    if (!input) return R::failure(QStringLiteral("%1 is not a local file").arg(files[0]));
    parsed.input = *input;
    parsed.output = files[1];
    return parsed;
}

QString ThumbnailerArguments::usage(const QString& program) {
    return QStringLiteral("usage: %1 -s SIZE INPUT OUTPUT.png").arg(program);
}

}  // namespace fendle::look
