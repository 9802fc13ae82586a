#pragma once
#include "io/ExportSource.h"
#include "io/PdfRenderer.h"
#include "platform/richtext/TextAttributes.h"

#include <QHash>

namespace fendle::test {

// A box for printing and export, filled by the test: slips N with the text
// "slip N" unless given, the current slip, the result keys and scents.
class ExportTestBox : public ExportSource {
public:
    BoxData data;
    SlipPtr current;
    QStringList results;
    QHash<QString, QStringList> scents;
    QStringList scentsAskedFor;
    std::optional<QString> file;

    // Without the empty slip a new box starts with.
    ExportTestBox() { data.setSlips({}, {}); }

    SlipPtr add(quint32 number, const QString& text = {}) {
        SlipPtr slip = Slip::create(number);
        slip->setTextWithoutLastModificationDate(RichText(text.isNull() ? QStringLiteral("slip %1").arg(number) : text));
        data.setSlip(slip);
        if (!current) current = slip;
        return slip;
    }
    void addPicture(const SlipPtr& slip) {
        RichText text = *slip->text();
        Attributes picture;
        picture.set(attr::Attachment, AttachmentAttribute{QStringLiteral("p.png"), QByteArray("png")});
        text.append(QString(QChar(AttachmentCharacter)), picture);
        slip->setTextWithoutLastModificationDate(text);
    }

    const BoxData& boxData() const override { return data; }
    SlipPtr currentSlip() const override { return current; }
    QStringList searchResultKeys() const override { return results; }
    QStringList scentKeys(const Slip& slip) override {
        scentsAskedFor.append(slip.key());
        return scents.value(slip.key());
    }
    std::optional<QString> fileName() const override { return file; }
};

// Stands in for the program's PDF layout: a PDF header, then the plain text.
class TextPdfRenderer : public PdfRenderer {
public:
    Result<QByteArray> render(const RichText& text) override { return "%PDF-1.4\n" + text.string().toUtf8(); }
};

}  // namespace fendle::test
