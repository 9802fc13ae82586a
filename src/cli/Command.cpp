#include "cli/Command.h"

#include <algorithm>

namespace fendle::cli {

Arguments::Arguments(const QStringList& words, const QStringList& valueOptions) {
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (!word.startsWith(QLatin1String("--")) || word == QLatin1String("--")) {
            positional_.append(word);
            continue;
        }
        if (valueOptions.contains(word)) {
            if (i + 1 < words.size())
                values_.insert(word, words[++i]);
            else
                missingValue_ = word;
        } else {
            flags_.append(word);
        }
    }
}

QString Arguments::unknownOption(const QStringList& allowed) const {
    for (const QString& flag : flags_)
        if (!allowed.contains(flag)) return flag;
    for (auto it = values_.cbegin(); it != values_.cend(); ++it)
        if (!allowed.contains(it.key())) return it.key();
    return QString();
}

namespace {
QList<Command>& registry() {
    static QList<Command> list;
    return list;
}
}  // namespace

bool registerCommand(Command command) {
    QList<Command>& list = registry();
    list.append(std::move(command));
    std::sort(list.begin(), list.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    return true;
}

const QList<Command>& commands() { return registry(); }

int fail(Io& io, const QString& message) {
    io.err << "fendle-cli: " << message << '\n';
    io.err.flush();
    return 2;
}

}  // namespace fendle::cli
