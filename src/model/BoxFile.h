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

    static QByteArray dataRepresentation(const BoxData& box);
    // Writes atomically; with keepBackup the previous file stays beside it
    // as "Name~.fendle".
    static Status saveBoxDataToURL(const BoxData& box, const QString& path, bool keepBackup = false);
    static QString backupPath(const QString& path);

    // The older sequential form: the box's slips and the trash, nothing else.
    static QByteArray olderFormRepresentation(const BoxData& box);
    static Result<Form> loadOlderForm(BoxData& box, const QByteArray& bytes);
    // Any form, as opening a document reads it: the older form when the
    // bytes are a typed stream, else the keyed forms.
    static Result<Form> readAnyForm(BoxData& box, const QByteArray& bytes);

    // The keyed forms (current or exchange). Nothing changes on failure.
    static Result<Form> loadBoxData(BoxData& box, const QByteArray& bytes);
    static Result<Form> loadBoxDataFromURL(BoxData& box, const QString& path);

    // Merges one received slip into the store (target may be null).
    static void applyModifications(BoxData& box, const SlipPtr& received, const SlipPtr& target, bool slipInTrash);
    // Replaces both dictionaries; warns when the box has no slip.
    static void setSlips(BoxData& box, SlipDictionary slips, SlipDictionary deletedSlips);
};

}  // namespace fendle
