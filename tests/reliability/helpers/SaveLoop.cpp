// Saves one box over and over through the box document's save path, keeping
// a backup, for a test that kills it at random moments. Every slip's source
// names the run and the round, so that a reader can tell which save a file
// came from and whether it is whole. After each save it prints the round.
//
//   fendle-save-loop BOX SLIPS RUN [ROUNDS]
#include "document/BoxDocument.h"

#include <QCoreApplication>
#include <cstdio>

using namespace fendle;

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: fendle-save-loop BOX SLIPS RUN [ROUNDS]\n");
        return 2;
    }
    const QString path = arguments.at(1);
    const int slips = arguments.at(2).toInt();
    const QString run = arguments.at(3);
    const qint64 rounds = arguments.size() > 4 ? arguments.at(4).toLongLong() : -1;

    BoxDocument document;
    const QString paragraph = QStringLiteral("A slip of the box that is saved while it may be killed. ").repeated(12);
    for (int i = 1; i < slips; ++i) {
        const SlipPtr slip = document.createSlip();
        slip->setText(RichText(QStringLiteral("%1 %2").arg(i).arg(paragraph)));
        slip->setKeywordsString(QStringLiteral("kill, save, k%1").arg(i % 50));
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (qint64 round = 1; rounds < 0 || round <= rounds; ++round) {
        const QString source = QStringLiteral("run %1 round %2").arg(run).arg(round);
        for (const SlipPtr& slip : document.data().slips()) slip->setSourceWithoutLastModificationDate(source);
        document.markEdited();
        const Status saved = document.writeToURL(path, BoxDocument::DocumentType, BoxDocument::SaveKind::Save, true);
        if (!saved) {
            std::fprintf(stderr, "fendle-save-loop: %s\n", qPrintable(saved.error()));
            return 1;
        }
        std::printf("saved %lld\n", round);
        std::fflush(stdout);
    }
    return 0;
}
