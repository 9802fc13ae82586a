#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

// The general pasteboard: typed forms of one content, each a byte string.
// The program binds it to the system clipboard; InMemoryPasteboard serves
// the command line and tests.
class Pasteboard {
public:
    // Slips in their archived form; the program maps it to "application/x-fendle-slips".
    static inline const QString SlipsType = QStringLiteral("slipOnPasteboard");
    static inline const QString StringType = QStringLiteral("text/plain;charset=utf-8");
    // The rich form of copied slips. Their export text has no pictures, and
    // programs here read RTF, not the flat RTFD of the other platform.
    static inline const QString RtfType = QStringLiteral("text/rtf");

    virtual ~Pasteboard() = default;
    // Starts a new content; the old forms are gone.
    virtual void clearContents() = 0;
    // False when the form could not be put on the pasteboard.
    virtual bool setData(const QString& type, const QByteArray& data) = 0;
    virtual std::optional<QByteArray> data(const QString& type) const = 0;
    virtual QStringList types() const = 0;
    bool hasType(const QString& type) const { return types().contains(type); }
};

class InMemoryPasteboard : public Pasteboard {
public:
    void clearContents() override { forms_.clear(); order_.clear(); }
    bool setData(const QString& type, const QByteArray& data) override;
    std::optional<QByteArray> data(const QString& type) const override;
    QStringList types() const override { return order_; }

private:
    QHash<QString, QByteArray> forms_;
    QStringList order_;
};

}  // namespace fendle
