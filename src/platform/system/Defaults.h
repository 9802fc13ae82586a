#pragma once
#include "platform/plist/PlistValue.h"
#include "platform/system/Result.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace fendle {

// The per-user defaults of one domain: an XML property list in the
// configuration folder, read once and written whole (atomically) when
// synchronised. Keys this program does not know are kept as they were.
// Registered defaults answer for keys the store does not hold.
class Defaults {
public:
    static inline const QString Domain = QStringLiteral("com.quorvel.fendle");
    static inline const QString LegacyDomain = QStringLiteral("net.halvorn.fendle");
    // Stored files above this size are not read.
    static constexpr qint64 MaxFileSize = qint64(16) << 20;

    // $XDG_CONFIG_HOME/fendle, or ~/.config/fendle.
    static QString configFolder();
    // The store of this program's domain, made on first use.
    static Defaults& standard();
    // Forgets the standard store so that the next use reads it anew (tests);
    // whoever holds on to it (the preferences) must be reset with it.
    static void resetStandard();

    Defaults(const QString& domain, const QString& folder = configFolder());
    const QString& domain() const { return domain_; }
    QString filePath() const;

    std::optional<PlistValue> objectForKey(const QString& key) const;
    // Only what the store itself holds, without registered defaults.
    std::optional<PlistValue> persistentObjectForKey(const QString& key) const;
    void setObject(const QString& key, const PlistValue& value);
    void removeObject(const QString& key);
    void registerDefaults(const PlistValue::Dictionary& values);

    // Conversions of a stored value of another type: false, 0, empty.
    bool boolForKey(const QString& key) const;
    qint64 integerForKey(const QString& key) const;
    QString stringForKey(const QString& key) const;

    const PlistValue::Dictionary& persistentDomain() const { return values_; }
    void setPersistentDomain(const PlistValue::Dictionary& values);
    // Empties the domain and removes its file.
    bool removePersistentDomain();

    // Writes the file when something changed since the last write.
    Status synchronize();
    // Number of files written so far (tests see that nothing was written).
    int writeCount() const { return writes_; }

    static bool toBool(const PlistValue& value);
    static qint64 toInteger(const PlistValue& value);

private:
    QString domain_;
    QString folder_;
    PlistValue::Dictionary values_;
    PlistValue::Dictionary registered_;
    bool dirty_ = false;
    int writes_ = 0;

    void load();
    static const PlistValue* find(const PlistValue::Dictionary& values, const QString& key);
};

}  // namespace fendle
