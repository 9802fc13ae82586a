#include "cli/CliBox.h"
#include "cli/SlipJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("dump BOX [--trash] [--runs]");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {QStringLiteral("--trash"), QStringLiteral("--runs")}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    const SlipDictionary& dictionary =
        arguments.has(QStringLiteral("--trash")) ? loaded->box->deletedSlips() : loaded->box->slips();
    QList<SlipPtr> slips = dictionary.values();
    std::sort(slips.begin(), slips.end(), [](const SlipPtr& a, const SlipPtr& b) { return a->slipID() < b->slipID(); });
    QJsonArray out;
    const bool runs = arguments.has(QStringLiteral("--runs"));
    for (const SlipPtr& slip : slips) out.append(slipJson(*slip, runs));
    io.out << QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Indented));
    return 0;
}

const bool registered = registerCommand({QStringLiteral("dump"), Synopsis,
                                         QStringLiteral("the slips (or the trash) as JSON, optionally with text runs"),
                                         {}, run});
}  // namespace

}  // namespace fendle::cli
