#pragma once
#include <QString>
#include <QHash>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace fendle::cli {

// Streams a command writes to; errors go to err, and the command then returns 2.
struct Io {
    QTextStream& out;
    QTextStream& err;
};

// The words after the command name, split into positional arguments and
// options ("--name" or "--name value"); options may stand anywhere.
class Arguments {
public:
    // valueOptions lists the options that take a value.
    Arguments(const QStringList& words, const QStringList& valueOptions);
    const QStringList& positional() const { return positional_; }
    bool has(const QString& option) const { return flags_.contains(option) || values_.contains(option); }
    QString value(const QString& option) const { return values_.value(option); }
    // The first option not in the allowed list, or empty.
    QString unknownOption(const QStringList& allowed) const;
    // The value option that was given without its value, or empty.
    const QString& missingValue() const { return missingValue_; }

private:
    QStringList positional_;
    QStringList flags_;
    QHash<QString, QString> values_;
    QString missingValue_;
};

using CommandFunction = std::function<int(const Arguments&, Io&)>;

struct Command {
    QString name;
    QString synopsis;      // e.g. "info BOX"
    QString summary;       // one line for --help
    QStringList valueOptions;
    CommandFunction run;
    // Lays out text with fonts (PDF), which takes a GUI application.
    bool needsGuiApplication = false;
};

// Each command registers itself from its own source file:
//   static const bool registered = registerCommand({...});
bool registerCommand(Command command);
const QList<Command>& commands();

// Prints "fendle-cli: message" to err and returns the error status 2.
int fail(Io& io, const QString& message);

}  // namespace fendle::cli
