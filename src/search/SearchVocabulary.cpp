#include "search/SearchVocabulary.h"

#include "platform/text/StringValues.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>

namespace fendle::SearchVocabulary {
namespace {
struct Field {
    QString title;
    QString keyPath;
    FieldKind kind;
};

const QList<Field>& fields() {
    static const QList<Field> all{
        {QStringLiteral("keyword"), QStringLiteral("keywords"), FieldKind::Text},
        {QStringLiteral("source"), QStringLiteral("source"), FieldKind::Text},
        {QStringLiteral("title"), QStringLiteral("title"), FieldKind::Text},
        {QStringLiteral("author"), QStringLiteral("author"), FieldKind::Text},
        {QStringLiteral("type"), QStringLiteral("slipType"), FieldKind::Text},
        {QStringLiteral("text"), QStringLiteral("textString"), FieldKind::Text},
        {QStringLiteral("any textual field"), QStringLiteral("anyTextualField"), FieldKind::Text},
        {QStringLiteral("slip ID"), QStringLiteral("slipID"), FieldKind::Number},
        {QStringLiteral("flag"), QStringLiteral("isFlagged"), FieldKind::Flag},
        {QStringLiteral("creation date"), QStringLiteral("creationDay"), FieldKind::Date},
        {QStringLiteral("modification date"), QStringLiteral("lastModificationDay"), FieldKind::Date},
    };
    return all;
}

const Field* findField(const QString& title) {
    for (const Field& field : fields())
        if (field.title == title) return &field;
    return nullptr;
}
}  // namespace

const QStringList& fieldTitles() {
    static const QStringList titles = [] {
        QStringList t;
        for (const Field& field : fields()) t.append(field.title);
        return t;
    }();
    return titles;
}

const QStringList& compoundTitles() {
    static const QStringList titles{QStringLiteral("All"), QStringLiteral("Any"), QStringLiteral("None")};
    return titles;
}

const QStringList& unitTitles() {
    static const QStringList titles{QStringLiteral("days"), QStringLiteral("weeks"), QStringLiteral("months"),
                                    QStringLiteral("years")};
    return titles;
}

std::optional<FieldKind> fieldKind(const QString& fieldTitle) {
    const Field* field = findField(fieldTitle);
    return field ? std::optional(field->kind) : std::nullopt;
}

std::optional<QString> keyPathOfField(const QString& fieldTitle) {
    const Field* field = findField(fieldTitle);
    return field ? std::optional(field->keyPath) : std::nullopt;
}

bool fieldIgnoresCase(const QString& fieldTitle) { return fieldKind(fieldTitle) == FieldKind::Text; }

QStringList operatorTitles(FieldKind kind) {
    switch (kind) {
    case FieldKind::Text:
        return {QStringLiteral("contains"), QStringLiteral("begins with"), QStringLiteral("ends with"),
                QStringLiteral("is"), QStringLiteral("is like"), QStringLiteral("matches")};
    case FieldKind::Number:
        return {QStringLiteral("="), QStringLiteral("≠"), QStringLiteral("<"), QStringLiteral(">")};
    case FieldKind::Flag:
        return {QStringLiteral("is set"), QStringLiteral("is not set")};
    case FieldKind::Date:
        return {WithinLast, QStringLiteral("is exactly"), QStringLiteral("is before"), QStringLiteral("is after")};
    }
    return {};
}

std::optional<Predicate::Operator> operatorOfTitle(const QString& t) {
    using Op = Predicate::Operator;
    if (t == u"contains") return Op::Contains;
    if (t == u"begins with") return Op::BeginsWith;
    if (t == u"ends with") return Op::EndsWith;
    if (t == u"is like") return Op::Like;
    if (t == u"matches") return Op::Matches;
    if (t == u"is" || t == u"is set" || t == u"is not set" || t == u"=" || t == u"is exactly") return Op::EqualTo;
    if (t == u"≠") return Op::NotEqualTo;
    if (t == u"<" || t == u"is before") return Op::LessThan;
    if (t == u">" || t == u"is after") return Op::GreaterThan;
    if (t == WithinLast) return Op::GreaterThanOrEqualTo;
    return std::nullopt;
}

std::optional<Predicate::CompoundType> compoundTypeOfTitle(const QString& t) {
    if (t == u"Any") return Predicate::CompoundType::Or;
    if (t == u"All") return Predicate::CompoundType::And;
    if (t == u"None") return Predicate::CompoundType::Not;
    return std::nullopt;
}

ValueTag valueTag(const QString& fieldTitle, const QString& operatorTitle) {
    const std::optional<FieldKind> kind = fieldKind(fieldTitle);
    if (!kind || !operatorTitles(*kind).contains(operatorTitle)) return NoValue;
    switch (*kind) {
    case FieldKind::Text: return TextValue;
    case FieldKind::Number: return IntegerValue;
    case FieldKind::Flag: return NoValue;
    case FieldKind::Date: return operatorTitle == WithinLast ? CountValue : DateValue;
    }
    return NoValue;
}

QVariant defaultValue(ValueTag tag) {
    switch (tag) {
    case TextValue: return QString();
    case CountValue:
    case IntegerValue: return QString();
    case DateValue: return QDateTime::currentDateTimeUtc();
    case NoValue: break;
    }
    return QVariant();
}

qint64 integerValue(const QVariant& controlValue) {
    switch (controlValue.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double: return controlValue.toLongLong();
    default: return intValueOfString(controlValue.toString());
    }
}

QDateTime dateValue(const QVariant& controlValue) {
    if (controlValue.metaType().id() == QMetaType::QDateTime) return controlValue.toDateTime();
    if (controlValue.metaType().id() == QMetaType::QString)
        return QDateTime::fromString(controlValue.toString(), Qt::ISODateWithMs);
    return QDateTime();
}

QVariant rightValue(ValueTag tag, const QVariant& controlValue, const QString& unitTitle, const QDate& today) {
    switch (tag) {
    case TextValue: return controlValue.toString();
    case IntegerValue: return integerValue(controlValue);
    case DateValue: return dateValue(controlValue);
    case CountValue: {
        const qint64 count = integerValue(controlValue);
        const int n = static_cast<int>(std::clamp<qint64>(count, -1000000, 1000000));
        QDate day = today;
        if (unitTitle == u"days") day = today.addDays(-n);
        else if (unitTitle == u"weeks") day = today.addDays(-7 * static_cast<qint64>(n));
        else if (unitTitle == u"months") day = today.addMonths(-n);
        else if (unitTitle == u"years") day = today.addYears(-n);
        return QDateTime(day, QTime(0, 0), Qt::LocalTime);
    }
    case NoValue: break;
    }
    return QVariant();
}

}  // namespace fendle::SearchVocabulary
