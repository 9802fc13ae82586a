#pragma once
#include "model/BoxData.h"
#include "platform/system/Result.h"

#include <QByteArray>
#include <QString>

namespace fendle {

// The box file forms and the file operations of BoxData: writing the
// current keyed form, reading it and the mobile exchange form (with the
// merge of received slips), and the older sequential form.
class BoxFile {
public:
    enum class Form { Keyed, Sequential, Exchange };
    static QString formName(Form form);

    // Files larger than this are refused before they are read.
    static constexpr qint64 MaxFileSize = qint64(1) << 31;

    // The one way a box reaches its file, for the window, the command line
    // and the tests alike: any form is read through a guarded mapping of the
    // file; writing is atomic, so the previous file stays whole until the new
    // one is complete, and with keepBackup it stays beside it as "Name~.fendle".
    static Result<Form> readFromURL(BoxData& box, const QString& path);
    static Status writeToURL(const BoxData& box, const QString& path, Form form = Form::Keyed, bool keepBackup = false);
    static QString backupPath(const QString& path);

    static QByteArray dataRepresentation(const BoxData& box);

    // The older sequential form: the box's slips and the trash, nothing else.
    static QByteArray olderFormRepresentation(const BoxData& box);
    static Result<Form> loadOlderForm(BoxData& box, const QByteArray& bytes);
    // Any form, as opening a document reads it: the older form when the
    // bytes are a typed stream, else the keyed forms.
    static Result<Form> readAnyForm(BoxData& box, const QByteArray& bytes);

    // The keyed forms (current or exchange). Nothing changes on failure.
    static Result<Form> loadBoxData(BoxData& box, const QByteArray& bytes);

    // Merges one received slip into the store (target may be null).
    static void applyModifications(BoxData& box, const SlipPtr& received, const SlipPtr& target, bool slipInTrash);
    // Replaces both dictionaries; warns when the box has no slip.
    static void setSlips(BoxData& box, SlipDictionary slips, SlipDictionary deletedSlips);
};

}  // namespace fendle
