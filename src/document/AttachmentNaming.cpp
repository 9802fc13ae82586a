#include "document/AttachmentNaming.h"

namespace fendle {

QString AttachmentNaming::generatedName(unsigned& imageNumber) {
    return QStringLiteral("image%1.jpg").arg(++imageNumber);
}

QString AttachmentNaming::uniqueName(const QString& wanted, const QSet<QString>& taken, unsigned& imageNumber) {
    if (!taken.contains(wanted)) return wanted;
    const qsizetype dot = wanted.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? wanted.left(dot) : wanted;
    const QString extension = dot > 0 ? wanted.mid(dot) : QString();
    QString name;
    do {
        name = QStringLiteral("%1-%2%3").arg(base).arg(++imageNumber).arg(extension);
    } while (taken.contains(name));
    return name;
}

bool AttachmentNaming::makeNamesUnique(RichText& text, unsigned& imageNumber) {
    QSet<QString> taken;
    bool changed = false;
    const QString string = text.string();
    for (qsizetype i = 0; i < text.length(); ++i) {
        if (string.at(i) != QChar(AttachmentCharacter)) continue;
        std::optional<AttachmentAttribute> attachment = text.attributesAt(i).get<AttachmentAttribute>(attr::Attachment);
        if (!attachment) continue;
        const QString wanted = attachment->fileName.isEmpty() ? generatedName(imageNumber) : attachment->fileName;
        const QString name = uniqueName(wanted, taken, imageNumber);
        taken.insert(name);
        if (name == attachment->fileName) continue;
        attachment->fileName = name;
        text.addAttribute(attr::Attachment, *attachment, {i, 1});
        changed = true;
    }
    return changed;
}

}  // namespace fendle
