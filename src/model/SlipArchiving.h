#pragma once
#include "model/Slip.h"
#include "platform/keyedarchive/ArchiveValue.h"
#include "platform/system/Result.h"

#include <memory>

namespace fendle {

class KeyedArchiver;
class KeyedUnarchiver;
class TypedUnarchiver;
struct TypedObject;

// The two archived forms of a slip: the keyed form (class "Slip" with named
// keys) and the legacy sequential form (five objects in a row).
class SlipArchiving {
public:
    static inline const QString ClassName = QStringLiteral("Slip");

    // Teach an unarchiver/archiver the "Slip" class.
    static void registerCodec(KeyedUnarchiver& unarchiver);
    static void registerCodec(KeyedArchiver& archiver);

    // The legacy sequential form: key, text, keywords, source, type.
    static void registerCodec(TypedUnarchiver& unarchiver);
    static std::shared_ptr<const TypedObject> typedSlip(const Slip& slip);

    // A slip wrapped for the archivers, and back (nullptr when the value is no slip).
    static ArchiveValue wrap(const SlipPtr& slip);
    static SlipPtr unwrap(const ArchiveValue& value);
};

}  // namespace fendle
