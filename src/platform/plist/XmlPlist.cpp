#include "platform/plist/XmlPlist.h"

#include "platform/plist/BinaryPlistReader.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>

namespace fendle {

namespace {
constexpr int MaxDepth = 512;
const QString UidKey = QStringLiteral("CF$UID");

class XmlPlistParser {
public:
    explicit XmlPlistParser(const QByteArray& bytes) : xml_(bytes) {}

    Result<PlistValue> parse() {
        while (!xml_.atEnd()) {
            xml_.readNext();
            if (xml_.isStartElement()) {
                if (xml_.name() == QLatin1String("plist")) continue;
                auto value = parseValue(0);
                if (!value) return value;
                return value;
            }
        }
        return fail(xml_.hasError() ? xml_.errorString() : QStringLiteral("no value"));
    }

private:
    QXmlStreamReader xml_;

    static Result<PlistValue> fail(const QString& why) {
        return Result<PlistValue>::failure(QStringLiteral("damaged XML property list: %1").arg(why));
    }

    // Called with the reader on the start element of a value.
    Result<PlistValue> parseValue(int depth) {
        if (depth > MaxDepth) return fail(QStringLiteral("nested too deeply"));
        const QString name = xml_.name().toString();
        if (name == QLatin1String("dict")) return parseDictionary(depth);
        if (name == QLatin1String("array")) return parseArray(depth);
        if (name == QLatin1String("true") || name == QLatin1String("false")) {
            xml_.skipCurrentElement();
            return PlistValue(name == QLatin1String("true"));
        }
        const QString text = xml_.readElementText();
        if (xml_.hasError()) return fail(xml_.errorString());
        if (name == QLatin1String("string")) return PlistValue(text);
        if (name == QLatin1String("integer")) {
            bool ok = false;
            const qint64 v = text.trimmed().toLongLong(&ok);
            if (ok) return PlistValue(v);
            const quint64 u = text.trimmed().toULongLong(&ok);
            if (ok) return PlistValue::unsignedInteger(u);
            return fail(QStringLiteral("bad integer"));
        }
        if (name == QLatin1String("real")) {
            bool ok = false;
            const double v = text.trimmed().toDouble(&ok);
            if (!ok) return fail(QStringLiteral("bad real"));
            return PlistValue(v);
        }
        if (name == QLatin1String("data")) return PlistValue(QByteArray::fromBase64(text.toLatin1()));
        if (name == QLatin1String("date")) {
            const QDateTime date = QDateTime::fromString(text.trimmed(), Qt::ISODate);
            if (!date.isValid()) return fail(QStringLiteral("bad date"));
            return PlistValue(date);
        }
        return fail(QStringLiteral("unknown element <%1>").arg(name));
    }

    bool nextChild() {
        while (!xml_.atEnd()) {
            xml_.readNext();
            if (xml_.isStartElement()) return true;
            if (xml_.isEndElement()) return false;
        }
        return false;
    }

    Result<PlistValue> parseArray(int depth) {
        PlistValue::Array items;
        while (nextChild()) {
            auto item = parseValue(depth + 1);
            if (!item) return item;
            items.push_back(std::move(*item));
        }
        if (xml_.hasError()) return fail(xml_.errorString());
        return PlistValue(std::move(items));
    }

    Result<PlistValue> parseDictionary(int depth) {
        PlistValue::Dictionary entries;
        while (nextChild()) {
            if (xml_.name() != QLatin1String("key")) return fail(QStringLiteral("dictionary entry without key"));
            const QString key = xml_.readElementText();
            if (!nextChild()) return fail(QStringLiteral("key without value"));
            auto value = parseValue(depth + 1);
            if (!value) return value;
            entries.emplace_back(key, std::move(*value));
        }
        if (xml_.hasError()) return fail(xml_.errorString());
        if (entries.size() == 1 && entries[0].first == UidKey &&
            entries[0].second.type() == PlistValue::Type::Integer && entries[0].second.toInteger() >= 0)
            return PlistValue::uid(static_cast<quint64>(entries[0].second.toInteger()));
        return PlistValue(std::move(entries));
    }
};

QString realText(double v) {
    if (std::isnan(v)) return QStringLiteral("nan");
    if (std::isinf(v)) return v > 0 ? QStringLiteral("+infinity") : QStringLiteral("-infinity");
    return QString::number(v, 'g', 17);
}

void writeValue(QXmlStreamWriter& xml, const PlistValue& value) {
    switch (value.type()) {
    case PlistValue::Type::Boolean: xml.writeEmptyElement(value.toBool() ? "true" : "false"); break;
    case PlistValue::Type::Integer:
        xml.writeTextElement("integer", value.isUnsigned() ? QString::number(static_cast<quint64>(value.toInteger()))
                                                           : QString::number(value.toInteger()));
        break;
    case PlistValue::Type::Real: xml.writeTextElement("real", realText(value.toReal())); break;
    case PlistValue::Type::Date:
        xml.writeTextElement("date", value.toDate().toUTC().toString(Qt::ISODate));
        break;
    case PlistValue::Type::Data: xml.writeTextElement("data", QString::fromLatin1(value.toData().toBase64())); break;
    case PlistValue::Type::String: xml.writeTextElement("string", value.toString()); break;
    case PlistValue::Type::Uid:
        xml.writeStartElement("dict");
        xml.writeTextElement("key", UidKey);
        xml.writeTextElement("integer", QString::number(value.toUid()));
        xml.writeEndElement();
        break;
    case PlistValue::Type::Array:
        xml.writeStartElement("array");
        for (const PlistValue& item : value.array()) writeValue(xml, item);
        xml.writeEndElement();
        break;
    case PlistValue::Type::Dictionary:
        xml.writeStartElement("dict");
        for (const auto& [k, v] : value.dictionary()) {
            xml.writeTextElement("key", k);
            writeValue(xml, v);
        }
        xml.writeEndElement();
        break;
    }
}
}  // namespace

Result<PlistValue> readXmlPlist(const QByteArray& bytes) { return XmlPlistParser(bytes).parse(); }

QByteArray writeXmlPlist(const PlistValue& value) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(-1);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">"));
    xml.writeStartElement("plist");
    xml.writeAttribute("version", "1.0");
    writeValue(xml, value);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

Result<PlistValue> readPlist(const QByteArray& bytes) {
    if (BinaryPlistReader::hasSignature(bytes)) return readBinaryPlist(bytes);
    return readXmlPlist(bytes);
}

}  // namespace fendle
