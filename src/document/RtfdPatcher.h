#pragma once
#include "platform/richtext/RichText.h"

#include <QString>
#include <functional>

namespace fendle {

// Re-reads rich text with attachments through an RTFD package on disk, so
// that text shown outside the box window's editor gets its attachments with
// their file names brought up to date.
class RtfdPatcher {
public:
    using MessageSink = std::function<void(const QString& message)>;

    // The scratch package: "Fendle/Fendle_tmp.rtfd" in the user's data folder.
    static QString tempFile();

    // Text without attachments comes back unchanged; so does any text whose
    // trip through the scratch package fails (after a message).
    static RichText patchRTFDString(const RichText& text, const MessageSink& displayMessage);
};

}  // namespace fendle
