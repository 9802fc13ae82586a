#pragma once
#include "search/Predicate.h"

#include <QDate>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace fendle {

// The words of the rule editor: field, operator, unit and compound titles,
// what each one stands for in a predicate, and which value control follows
// an operator. The first item of each list is the default of a new row.
namespace SearchVocabulary {

enum class FieldKind { Text, Number, Flag, Date };

// Tags of the value controls.
enum ValueTag { NoValue = 0, TextValue = 1, CountValue = 2, DateValue = 3, IntegerValue = 4 };

inline const QString WithinLast = QStringLiteral("is within last");

const QStringList& fieldTitles();
const QStringList& compoundTitles();
const QStringList& unitTitles();
std::optional<FieldKind> fieldKind(const QString& fieldTitle);
std::optional<QString> keyPathOfField(const QString& fieldTitle);
bool fieldIgnoresCase(const QString& fieldTitle);
QStringList operatorTitles(FieldKind kind);
std::optional<Predicate::Operator> operatorOfTitle(const QString& operatorTitle);
std::optional<Predicate::CompoundType> compoundTypeOfTitle(const QString& compoundTitle);

// The control after an operator of a field; NoValue for the flag.
ValueTag valueTag(const QString& fieldTitle, const QString& operatorTitle);
// The value a fresh control holds.
QVariant defaultValue(ValueTag tag);
// The right side of a comparison for the value of a control; dates count
// back from today at midnight in the local time zone.
QVariant rightValue(ValueTag tag, const QVariant& controlValue, const QString& unitTitle = {},
                    const QDate& today = QDate::currentDate());
// The integer a number field reads from what it holds.
qint64 integerValue(const QVariant& controlValue);
// A date from a date or an ISO 8601 text; invalid otherwise.
QDateTime dateValue(const QVariant& controlValue);

}  // namespace SearchVocabulary
}  // namespace fendle
