#pragma once
#include "document/BoxPreferences.h"
#include "platform/system/Defaults.h"
#include "platform/richtext/TextAttributes.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <variant>

namespace fendle {

class UiPort;

using PreferenceValue = std::variant<bool, qint64, QString, FontAttribute, ColorAttribute>;
using PreferenceSet = std::map<QString, PreferenceValue>;

// The application-wide preference set: the values at launch, the current
// values every reader sees, and the values the preferences window shows and
// edits. Nothing reaches the store before a save, and a save writes only
// when the current values differ from those at launch.
class Preferences : public BoxPreferences {
public:
    static inline const QString CheckSpellingAsYouType = QStringLiteral("CheckSpellingAsYouType");
    static inline const QString SUEnableAutomaticChecks = QStringLiteral("SUEnableAutomaticChecks");
    static inline const QString CheckForPlugInUpdates = QStringLiteral("FDLCheckForPlugInUpdates");
    static inline const QString SaveBackup = QStringLiteral("SaveBackup");
    static inline const QString SaveWindowPositionOnExit = QStringLiteral("SaveWindowPositionOnExit");
    static inline const QString TerminateWhenLastDocumentIsClosed = QStringLiteral("TerminateWhenLastDocumentIsClosed");
    static inline const QString AutoCompleteKeywords = QStringLiteral("AutoCompleteKeywords");
    static inline const QString AutoCompleteSources = QStringLiteral("AutoCompleteSources");
    static inline const QString AutoSave = QStringLiteral("AutoSave");
    static inline const QString TabSwitchesToKeywords = QStringLiteral("TabSwitchesToKeywords");
    static inline const QString StartupMode = QStringLiteral("StartupMode");
    static inline const QString AutoSaveTimeInterval = QStringLiteral("AutoSaveTimeInterval");
    static inline const QString SpotlightFileGenerationTimeInterval = QStringLiteral("SpotlightFileGenerationTimeInterval");
    static inline const QString DefaultDocument = QStringLiteral("DefaultDocument");
    static inline const QString PlainTextFont = QStringLiteral("PlainTextFont");
    static inline const QString SlipTextFont = QStringLiteral("SlipTextFont");
    static inline const QString HighlightColour = QStringLiteral("HighlightColour");

    // Where the two user fonts live in the store: {Family, Name, Style, Size}.
    static inline const QString UserFontKey = QStringLiteral("FDLUserFont");
    static inline const QString UserFixedPitchFontKey = QStringLiteral("FDLUserFixedPitchFont");

    // The thirteen keys stored under their own names, in table order.
    static const QStringList& storedKeys();
    static const PreferenceSet& defaultValues();
    static FontAttribute defaultProportionalFont();
    static FontAttribute defaultFixedPitchFont();

    // The one object, built from the standard store on first use.
    static Preferences& sharedInstance();
    // Forgets the object; the next use builds it anew (tests, and a fresh store).
    static void resetSharedInstance();

    explicit Preferences(Defaults& defaults);

    // Current values; none for a key outside the preference set.
    std::optional<PreferenceValue> objectForKey(const QString& key) const;
    bool boolForKey(const QString& key) const;
    qint64 integerForKey(const QString& key) const;
    QString stringForKey(const QString& key) const;
    FontAttribute fontForKey(const QString& key) const;
    ColorAttribute colorForKey(const QString& key) const;

    // What a box works by.
    FontAttribute slipTextFont() const override { return fontForKey(SlipTextFont); }
    // Stored by the menu toggle outside the preference set; absent reads as off.
    bool checkSpellingAsYouType() const override { return defaults_.boolForKey(CheckSpellingAsYouType); }
    bool keepBackupFile() const override { return boolForKey(SaveBackup); }
    ColorAttribute highlightColour() const override { return colorForKey(HighlightColour); }
    bool tabSwitchesToKeywords() const override { return boolForKey(TabSwitchesToKeywords); }
    // Absent, it is on.
    bool addKeywordToBoxSearch() const override;

    std::shared_ptr<const PreferenceSet> preferences() const { return curValues_; }
    void setPrefs(const PreferenceSet& values) { curValues_ = std::make_shared<const PreferenceSet>(values); }
    void setObject(const PreferenceValue& value, const QString& key);
    // Writes the current values when they differ from those at launch.
    void saveDefaults();

    PreferenceSet preferencesFromDefaults() const;
    void savePreferencesToDefaults(const PreferenceSet& values);

    // The user fonts as the store keeps them (the platform default when absent).
    FontAttribute userFont(bool fixedPitch) const;

    // What the window's controls show; the window fills one in on a change.
    struct Controls {
        int startupMode = 1;
        QString defaultDocumentField;
        std::map<QString, bool> checks;
        QString autoSaveIntervalField;
        QString spotlightIntervalField;
        ColorAttribute highlightColour;
        QString slipTextFontField;
        QString plainTextFontField;
        friend bool operator==(const Controls&, const Controls&) = default;
    };
    // Who reported a change (the window restarts the cache timers after the interval field).
    enum class Sender { Control, SpotlightIntervalField, Controller };
    static const QStringList& checkBoxKeys();

    const PreferenceSet& displayedValues() const { return *displayedValues_; }
    Controls updateUI() const;
    void commitDisplayedValues(const QString& defaultDocumentField);
    void discardDisplayedValues();
    // Answers the controls as they show after the change.
    Controls miscChanged(const Controls& controls, Sender sender);
    // The window closes: its controls are taken, then saved.
    void windowWillClose(const Controls& controls);
    // The open panel for the default box; the empty string when cancelled.
    QString selectDefaultDocument(Controls& controls);
    void changeFont(const QString& key, const FontAttribute& font);

    // The window's collaborators.
    void setUiPort(UiPort* ui) { ui_ = ui; }
    std::function<std::optional<QString>()> chooseDefaultDocument;
    std::function<void(const QString& fontKey)> fontChanged;

    // Every entry below the cache-file folder goes; failures are ignored.
    static QString spotlightCacheFolder();
    static void deleteSpotlightFiles();

    static QString abbreviateWithTilde(const QString& path);
    static QString expandTilde(const QString& path);
    static QString fontDescription(const std::optional<FontAttribute>& font);

private:
    Defaults& defaults_;
    UiPort* ui_ = nullptr;
    std::shared_ptr<const PreferenceSet> curValues_;
    std::shared_ptr<const PreferenceSet> origValues_;
    std::shared_ptr<PreferenceSet> displayedValues_;

    void setUserFont(bool fixedPitch, const FontAttribute& font);
};

}  // namespace fendle
