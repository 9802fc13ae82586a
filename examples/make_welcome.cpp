// Writes the example box Welcome.fendle from its readable source welcome.json.
#include "model/BoxFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

using namespace fendle;

namespace {
Attributes fontAttributes(const QString& postScriptName, double size) {
    Attributes a;
    a.set(attr::Font, FontAttribute{"Helvetica", postScriptName, size, postScriptName.contains("Bold"), false});
    return a;
}

// "slip N" not followed by another digit.
qsizetype findSlipReference(const QString& text, const QString& reference) {
    for (qsizetype at = text.indexOf(reference); at >= 0; at = text.indexOf(reference, at + 1)) {
        const qsizetype end = at + reference.size();
        if (end >= text.size() || !text.at(end).isDigit()) return at;
    }
    return -1;
}

SlipPtr slipFrom(quint32 number, const QJsonObject& source, const QDateTime& time, const QString& author) {
    const QString title = source["title"].toString();
    const QString body = source["body"].toString();
    RichText text(title + QLatin1Char('\n'), fontAttributes("Helvetica-Bold", 14));
    const qsizetype bodyStart = text.length();
    text.append(body, fontAttributes("Helvetica", 12));
    for (const QJsonValue& link : source["links"].toArray()) {
        const QString reference = link["text"].toString();
        const qsizetype at = findSlipReference(body, reference);
        if (at < 0) continue;
        const TextRange range{bodyStart + at, reference.size()};
        text.addAttribute(attr::Link, LinkAttribute{QStringLiteral("fendle://%1.self").arg(link["target"].toInt()), true}, range);
        text.addAttribute(attr::Underline, std::int64_t(1), range);
    }
    if (source.contains("picture")) {
        const QJsonObject picture = source["picture"].toObject();
        const qsizetype at = body.indexOf(QChar(AttachmentCharacter));
        if (at >= 0)
            text.addAttribute(attr::Attachment,
                              AttachmentAttribute{picture["name"].toString(),
                                                  QByteArray::fromBase64(picture["base64"].toString().toLatin1())},
                              {bodyStart + at, 1});
    }
    auto slip = Slip::create(number);
    slip->setTextWithoutLastModificationDate(text);
    slip->setKeywordsString(source["keywords"].toString());
    slip->setSourceWithoutLastModificationDate(source["source"].toString());
    slip->setSlipTypeWithoutLastModificationDate(source["type"].toString());
    slip->setAuthorWithoutLastModificationDate(author);
    slip->setAppendedTextWithoutLastModificationDate(std::nullopt);
    slip->setCreationTime(time);
    slip->setLastModificationTime(time);
    return slip;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_welcome welcome.json Welcome.fendle\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_welcome: cannot read %s\n", argv[1]);
        return 2;
    }
    const QJsonObject source = QJsonDocument::fromJson(file.readAll()).object();
    const QString author = source["author"].toString();
    const QDateTime created = QDateTime::fromString(source["created"].toString(), Qt::ISODate);
    SlipDictionary slips;
    quint32 number = 0;
    for (const QJsonValue& slip : source["slips"].toArray()) {
        ++number;
        slips.insert(QString::number(number), slipFrom(number, slip.toObject(), created.addSecs(60 * number), author));
    }
    BoxData box;
    box.setSlips(slips, {});
    const Status saved = BoxFile::writeToURL(box, QString::fromLocal8Bit(argv[2]));
    if (!saved) {
        std::fprintf(stderr, "make_welcome: %s\n", qPrintable(saved.error()));
        return 2;
    }
    return 0;
}
