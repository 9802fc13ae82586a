#include "document/SlipLinks.h"

#include <QStringList>

namespace fendle::sliplinks {
namespace {

const QString SlipLinkStart = QStringLiteral("HYPERLINK \"fendle://");
const QString SelfSuffix = QStringLiteral(".self");
const QString InstructionEnd = QStringLiteral("\"}");

}  // namespace

QString internalSlipLinkString(const QString& key) { return QStringLiteral("fendle://%1.self").arg(key); }

QString externalSlipLinkString(const QString& key, const QString& boxUrlString) {
    return QStringLiteral("fendle://%1::%2").arg(key, boxUrlString);
}

QString replaceInternalSlipLinksInRTFString(const QString& rtf, const QString& boxUrlString) {
    QStringList pieces = rtf.split(SlipLinkStart);
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        QString& piece = pieces[i];
        // Only the address itself decides: a ".self" further on in the text
        // after an external link must not be taken for its end.
        const qsizetype addressEnd = piece.indexOf(u'"');
        const QString address = addressEnd < 0 ? QString() : piece.left(addressEnd);
        if (address.endsWith(SelfSuffix)) {
            const QString key = address.chopped(SelfSuffix.size());
            piece = externalSlipLinkString(key, boxUrlString) + piece.mid(addressEnd);
        } else {
            piece.prepend(QStringLiteral("fendle://"));
        }
    }
    return pieces.join(QStringLiteral("HYPERLINK \""));
}

QString replaceExternalSlipLinksInRTFString(const QString& rtf, const QString& boxUrlString) {
    QStringList pieces = rtf.split(SlipLinkStart);
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        QString& piece = pieces[i];
        const qsizetype end = piece.indexOf(InstructionEnd);
        if (end < 0) continue;
        const QString address = piece.left(end);
        const qsizetype separator = address.indexOf(QStringLiteral("::"));
        if (separator < 0 || address.mid(separator + 2) != boxUrlString) continue;
        piece = address.left(separator) + SelfSuffix + InstructionEnd + piece.mid(end + InstructionEnd.size());
    }
    return pieces.join(SlipLinkStart);
}

}  // namespace fendle::sliplinks
