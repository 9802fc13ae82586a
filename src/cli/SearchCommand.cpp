#include "cli/CliBox.h"
#include "cli/SearchRules.h"

#include <algorithm>

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("search BOX (RULES | --keyword WORD)");
const QString KeywordOption = QStringLiteral("--keyword");

int run(const Arguments& arguments, Io& io) {
    const bool byKeyword = arguments.has(KeywordOption);
    if (!expectArguments(arguments, io, byKeyword ? 1 : 2, {KeywordOption}, Synopsis)) return 2;
    std::optional<QVariantList> rules;
    if (!byKeyword && !(rules = readSearchRules(arguments.positional().at(1), io))) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    QList<quint32> numbers;
    for (const SlipPtr& slip : searchBox(*loaded->box, rules, arguments.value(KeywordOption)))
        numbers.append(slip->slipID());
    std::sort(numbers.begin(), numbers.end());
    for (quint32 number : numbers) io.out << BoxData::makeKey(number) << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("search"), Synopsis,
                                         QStringLiteral("the keys of the slips matching archived rules (JSON) or a keyword"),
                                         {KeywordOption}, run});
}  // namespace

}  // namespace fendle::cli
