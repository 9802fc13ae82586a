#pragma once
#include <QString>
#include <QStringList>

namespace fendle::undo_names {

// The document's own undo action names; the texts are shown in the Edit menu.
inline const QString ChangeTextFont = QStringLiteral("Change Text Font");
inline const QString ChangeTextColor = QStringLiteral("Change Text Color");
inline const QString ConvertTextToDefault = QStringLiteral("Convert Text To Default");
inline const QString MakeSlipLink = QStringLiteral("Make Slip Link");
inline const QString ChangeKeywords = QStringLiteral("Change Keywords");
inline const QString AddKeyword = QStringLiteral("Add Keyword");
inline const QString ChangeType = QStringLiteral("Change Type");
inline const QString ToggleFlag = QStringLiteral("Toggle Flaged");
inline const QString AddSlip = QStringLiteral("Add Slip");
inline const QString PasteSlip = QStringLiteral("Paste Slip");
inline const QString SplitSlip = QStringLiteral("Split Slip");
inline const QString MergeSlip = QStringLiteral("Merge Slips");
inline const QString CreateSlipFromRTF = QStringLiteral("Create Slip From RTF");
inline const QString CreateSlipFromFile = QStringLiteral("Create Slip from File");
inline const QString RemoveSlip = QStringLiteral("Remove Slip(s)");
inline const QString RestoreSlip = QStringLiteral("Restore Slip(s)");
inline const QString ClearSlipFields = QStringLiteral("Clear All Fields");
inline const QString AppendToSlipSystemService = QStringLiteral("Append To Current Slip");
inline const QString EditText = QStringLiteral("Edit Text");
inline const QString ChangeSource = QStringLiteral("Change Source");
inline const QString Drop = QStringLiteral("Drop");
// Links to dropped files; not one of the self-defined names.
inline const QString AddLinkToFiles = QStringLiteral("Add link to files");
inline const QString ResizeImage = QStringLiteral("Resize Image");
inline const QString ChangeSlipAuthor = QStringLiteral("Change Slip Author");

// Any other name was given by the text system (typing and the like).
inline QStringList selfDefinedUndoNames() {
    return {QString(),       ChangeTextFont, ChangeTextColor,    ConvertTextToDefault, MakeSlipLink,
            ChangeKeywords,  AddKeyword,     ChangeType,         ToggleFlag,           AddSlip,
            PasteSlip,       SplitSlip,      MergeSlip,          CreateSlipFromRTF,    CreateSlipFromFile,
            RemoveSlip,      RestoreSlip,    ClearSlipFields,    EditText,             ChangeSource,
            ResizeImage,     Drop,           ChangeSlipAuthor};
}

}  // namespace fendle::undo_names
