#pragma once
#include "platform/keyedarchive/ArchiveValue.h"
#include "platform/system/Result.h"
#include "platform/typedstream/TypedStreamValue.h"

#include <QHash>
#include <functional>
#include <memory>

namespace fendle {

class TypedUnarchiver;
using TypedDecoder = std::function<Result<ArchiveValue>(const TypedObject&, TypedUnarchiver&)>;

// Turns the object trees of a typed stream into values, by class name:
// strings, numbers, data, arrays, dictionaries, URLs, colours, fonts and
// attributed strings. Unknown attribute values are kept whole; an unknown
// class elsewhere is an error. Shared subtrees count against a work budget.
class TypedUnarchiver {
public:
    explicit TypedUnarchiver(quint64 budget);
    void registerDecoder(const QByteArray& className, TypedDecoder decoder);
    Result<ArchiveValue> decode(const TypedValue& value);
    // Takes work from the budget; false when it is used up.
    bool charge(quint64 work);

private:
    QHash<QByteArray, TypedDecoder> decoders_;
    quint64 budget_;
    int depth_ = 0;
};

inline const QString TypedStreamOpaqueFormat = QStringLiteral("typedstream");

// Object trees for the writer.
using TypedObjectPtr = std::shared_ptr<const TypedObject>;
TypedObjectPtr typedString(const QString& text);
TypedObjectPtr typedColor(const ColorAttribute& color);
TypedObjectPtr typedRichText(const RichText& text);
TypedObjectPtr typedDictionary(const std::vector<std::pair<TypedObjectPtr, TypedObjectPtr>>& entries, bool isMutable);
TypedGroup objectGroup(TypedObjectPtr object);

// The archived colour form of the "HighlightColour" default.
QByteArray archivedColorData(const ColorAttribute& color);
Result<ColorAttribute> colorFromArchivedData(const QByteArray& bytes);

}  // namespace fendle
