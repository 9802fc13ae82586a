#pragma once
#include "platform/keyedarchive/ArchiveValue.h"
#include "platform/keyedarchive/KeyedArchiver.h"
#include "platform/keyedarchive/KeyedUnarchiver.h"

namespace fendle {

// The class codecs of the platform's own classes for keyed archives.
void registerPlatformDecoders(KeyedUnarchiver& unarchiver);
void registerFoundationDecoders(KeyedUnarchiver& unarchiver);
void registerTextDecoders(KeyedUnarchiver& unarchiver);
void registerAppKitDecoders(KeyedUnarchiver& unarchiver);

// Format name of unknown attribute values kept from keyed archives.
inline const QString KeyedOpaqueFormat = QStringLiteral("keyed-archive");

KeyedArchiver::Uid encodeDate(KeyedArchiver& archiver, const QDateTime& date);
KeyedArchiver::Uid encodeNull(KeyedArchiver& archiver);
KeyedArchiver::Uid encodeUrl(KeyedArchiver& archiver, const ArchiveUrl& url);
KeyedArchiver::Uid encodeList(KeyedArchiver& archiver, const ArchiveList& list);
KeyedArchiver::Uid encodeMap(KeyedArchiver& archiver, const ArchiveMap& map);
// stringUid, when given, receives the UID of the characters' string object.
KeyedArchiver::Uid encodeRichText(KeyedArchiver& archiver, const RichText& text,
                                  KeyedArchiver::Uid* stringUid = nullptr);
KeyedArchiver::Uid encodeFont(KeyedArchiver& archiver, const FontAttribute& font);
KeyedArchiver::Uid encodeColor(KeyedArchiver& archiver, const ColorAttribute& color);
KeyedArchiver::Uid encodeParagraphStyle(KeyedArchiver& archiver, const ParagraphStyleAttribute& style);
KeyedArchiver::Uid encodeAttachment(KeyedArchiver& archiver, const AttachmentAttribute& attachment);

}  // namespace fendle
