// Writes the binary seeds of the fuzzers with our own writers, so that the
// repository carries no box or archive it did not make itself.
//   make_fuzz_seeds DIR   writes DIR/fuzz_<target>/<seed>
#include "model/BoxFile.h"
#include "model/SlipArchiving.h"
#include "platform/keyedarchive/KeyedArchiver.h"
#include "platform/richtext/RichTextArchive.h"
#include "platform/system/DateUtils.h"
#include "platform/typedstream/TypedStreamCodecs.h"
#include "plugins/PlugInArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {
using namespace fendle;

// Every attribute kind the box writer knows, in a few characters.
RichText styledText() {
    Attributes plain;
    plain.set(attr::Font, FontAttribute{"Helvetica", "Helvetica", 12, false, false});
    Attributes heading = plain;
    heading.set(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 14, true, false});
    ParagraphStyleAttribute centred;
    centred.alignment = ParagraphStyleAttribute::Alignment::Center;
    centred.tabStops = {TabStop{TabStop::Type::Left, 28}, TabStop{TabStop::Type::Right, 56}};
    heading.set(attr::ParagraphStyle, centred);
    RichText text(QStringLiteral("Grüße\t😀\n"), heading);
    Attributes link = plain;
    link.set(attr::Link, LinkAttribute{"fendle://2.self", true});
    link.set(attr::Underline, std::int64_t(1));
    link.set(attr::Color, ColorAttribute::rgb(1, 0, 0));
    text.append(QStringLiteral("see two"), link);
    Attributes picture = plain;
    picture.set(attr::Attachment, AttachmentAttribute{"p.png", QByteArray("\x89PNG\r\n\x1a\n", 8)});
    text.append(QString(QChar(AttachmentCharacter)), picture);
    Attributes web = plain;
    web.set(attr::Color, ColorAttribute::cmyk(0.05, 0.85, 0.99, 0.17, 0.5));
    web.set(attr::Link, LinkAttribute{"https://example.org", false});
    text.append(QStringLiteral(" web"), web);
    return text;
}

SlipPtr makeSlip(quint32 id, const RichText& text, const QString& keywords) {
    SlipPtr slip = Slip::create(id);
    slip->setTextWithoutLastModificationDate(text);
    slip->setKeywordsString(keywords);
    slip->setCreationTime(dateFromReferenceSeconds(1000.0 * id));
    slip->setLastModificationTime(dateFromReferenceSeconds(1000.0 * id + 0.5));
    return slip;
}

// Two slips with every field, one in the trash, a template, a saved search.
BoxData fullBox() {
    BoxData box;
    SlipPtr one = makeSlip(1, styledText(), QStringLiteral("a, b"));
    one->setFlagged(true);
    one->setSelectedRanges(QList<TextRange>{{5, 0}});
    one->setSourceWithoutLastModificationDate(QStringLiteral("book"));
    one->setSlipTypeWithoutLastModificationDate(QStringLiteral("Note"));
    one->setAuthorWithoutLastModificationDate(QStringLiteral("me"));
    SlipPtr two = makeSlip(2, RichText(QStringLiteral("two")), QStringLiteral("b, , c"));
    two->setAppendedTextWithoutLastModificationDate(QStringLiteral(" (appended)"));
    two->setModificationByMobileVersion(64);
    SlipDictionary slips, trash;
    slips.insert(QStringLiteral("1"), one);
    slips.insert(QStringLiteral("2"), two);
    trash.insert(QStringLiteral("3"), makeSlip(3, RichText(QStringLiteral("gone")), QStringLiteral("c")));
    box.setSlips(slips, trash);
    box.setSlipTemplate(styledText());
    box.setSelectedRangesInTemplate(QList<TextRange>{{2, 3}});
    const QVariantMap rule{{"RowType", 0}, {"Values", QStringList{"keyword", "contains", "x"}}, {"Subrules", QVariantList{}}};
    const QVariantMap all{{"RowType", 1}, {"Values", QStringList{"All"}}, {"Subrules", QVariantList{rule}}};
    box.setSavedSearches(QVariantList{QVariant(QVariantList{QStringLiteral("Keyword x"), QVariantList{all}})});
    box.setCurrentZoomFactor(125);
    return box;
}

// A mobile exchange file: received slips and a data block (a box or nothing).
QByteArray exchangeFile(const QByteArray& block) {
    KeyedArchiver archiver;
    SlipArchiving::registerCodec(archiver);
    SlipPtr changed = makeSlip(2, RichText(QStringLiteral("from the phone")), QStringLiteral("p"));
    changed->setModificationByMobileVersion(1 | 8 | 64);
    changed->setAppendedTextWithoutLastModificationDate(QStringLiteral("+"));
    SlipPtr trashed = makeSlip(1, RichText(), QString());
    trashed->setModificationByMobileVersion(128);
    archiver.encodeObject(QStringLiteral("modifiedSlips"), ArchiveValue::list({SlipArchiving::wrap(changed)}));
    archiver.encodeObject(QStringLiteral("modifiedSlipsInTrash"), ArchiveValue::list({SlipArchiving::wrap(trashed)}));
    archiver.encodeObject(QStringLiteral("dataBlock"), ArchiveValue(block));
    return archiver.finish();
}

bool write(const QString& folder, const QStringList& targets, const QString& name, const QByteArray& bytes) {
    for (const QString& target : targets) {
        const QString dir = folder + QLatin1Char('/') + target;
        QFile file(dir + QLatin1Char('/') + name);
        if (!QDir().mkpath(dir) || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", qPrintable(file.fileName()));
            return false;
        }
    }
    return true;
}
// A small plug-in archive with a folder, files and a link.
QByteArray plugInArchive() {
    QTemporaryDir dir;
    const QString bundle = dir.filePath(QStringLiteral("Seed.fdlplugin"));
    QDir().mkpath(bundle + QStringLiteral("/Contents/Resources/Help"));
    QFile info(bundle + QStringLiteral("/Contents/Info.plist"));
    if (info.open(QIODevice::WriteOnly)) info.write("<plist><dict><key>CFBundleIdentifier</key><string>a.seed</string></dict></plist>");
    info.close();
    QFile help(bundle + QStringLiteral("/Contents/Resources/Help/seed.html"));
    if (help.open(QIODevice::WriteOnly)) help.write("<p>help</p>");
    help.close();
    QFile::link(QStringLiteral("Help/seed.html"), bundle + QStringLiteral("/Contents/Resources/index.html"));
    const Result<QByteArray> archive = PlugInArchive::pack(bundle, QStringLiteral("seed"));
    return archive ? *archive : QByteArray();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString keyed = QStringLiteral("fuzz_keyed_box");
    const QString exchange = QStringLiteral("fuzz_exchange");
    const QString typed = QStringLiteral("fuzz_typedstream");
    const QString pasted = QStringLiteral("fuzz_pasted_rich_text");
    const BoxData box = fullBox();
    const QByteArray boxBytes = BoxFile::dataRepresentation(box);
    const bool ok = write(out, {keyed}, QStringLiteral("new.fendle"), BoxFile::dataRepresentation(BoxData())) &&
                    write(out, {keyed, exchange}, QStringLiteral("box.fendle"), boxBytes) &&
                    write(out, {keyed, exchange}, QStringLiteral("exchange-empty-block.fendle"), exchangeFile({})) &&
                    write(out, {keyed, exchange}, QStringLiteral("exchange-with-block.fendle"), exchangeFile(boxBytes)) &&
                    write(out, {keyed, typed}, QStringLiteral("older-form.fendle"), BoxFile::olderFormRepresentation(box)) &&
                    write(out, {typed}, QStringLiteral("cmyk.typedstream"),
                          archivedColorData(ColorAttribute::cmyk(0.05, 0.85, 0.99, 0.17))) &&
                    write(out, {typed}, QStringLiteral("rgb.typedstream"), archivedColorData(ColorAttribute::rgb(1, 0.5, 0))) &&
                    write(out, {pasted}, QStringLiteral("styled.richtext"), RichTextArchive::archive(styledText())) &&
                    write(out, {QStringLiteral("fuzz_plugin_archive")}, QStringLiteral("seed.tgz"), plugInArchive());
    return ok ? 0 : 1;
}
