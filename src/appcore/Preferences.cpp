#include "appcore/Preferences.h"

#include "platform/files/Paths.h"
#include "platform/system/Log.h"
#include "platform/text/StringValues.h"
#include "platform/typedstream/TypedStreamCodecs.h"
#include "platform/ui/UiPort.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace fendle {

namespace {

std::unique_ptr<Preferences>& sharedPreferences() {
    static std::unique_ptr<Preferences> preferences;
    return preferences;
}

bool isIntegerKey(const QString& key) {
    return key == Preferences::StartupMode || key == Preferences::AutoSaveTimeInterval ||
           key == Preferences::SpotlightFileGenerationTimeInterval;
}

QString styleName(const FontAttribute& font) {
    if (font.bold && font.italic) return QStringLiteral("Bold Italic");
    if (font.bold) return QStringLiteral("Bold");
    if (font.italic) return QStringLiteral("Italic");
    return QStringLiteral("Regular");
}

PlistValue fontToPlist(const FontAttribute& font) {
    return PlistValue(PlistValue::Dictionary{{QStringLiteral("Family"), font.family},
                                             {QStringLiteral("Name"), font.postScriptName},
                                             {QStringLiteral("Style"), styleName(font)},
                                             {QStringLiteral("Size"), font.pointSize}});
}

std::optional<FontAttribute> fontFromPlist(const PlistValue& value) {
    if (value.type() != PlistValue::Type::Dictionary) return std::nullopt;
    const PlistValue* family = value.value(QStringLiteral("Family"));
    const PlistValue* size = value.value(QStringLiteral("Size"));
    if (!family || family->type() != PlistValue::Type::String || family->toString().isEmpty() || !size)
        return std::nullopt;
    FontAttribute font;
    font.family = family->toString();
    const PlistValue* name = value.value(QStringLiteral("Name"));
    font.postScriptName = name && name->type() == PlistValue::Type::String ? name->toString() : font.family;
    const double points = size->type() == PlistValue::Type::Real ? size->toReal() : double(Defaults::toInteger(*size));
    if (!(points > 0 && points <= 1000)) return std::nullopt;
    font.pointSize = points;
    const PlistValue* style = value.value(QStringLiteral("Style"));
    const QString styleText = style && style->type() == PlistValue::Type::String ? style->toString() : QString();
    font.bold = styleText.contains(QLatin1String("Bold"));
    font.italic = styleText.contains(QLatin1String("Italic"));
    return font;
}

PlistValue storedForm(const QString& key, const PreferenceValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) return PlistValue(*b);
    if (const qint64* i = std::get_if<qint64>(&value)) return PlistValue(*i);
    if (const QString* s = std::get_if<QString>(&value)) return PlistValue(*s);
    logLine(QStringLiteral("Preferences:savePreferencesToDefaults: %1 has no stored form").arg(key));
    return PlistValue(QString());
}

template <typename T>
T valueOr(const std::optional<PreferenceValue>& value, T fallback) {
    if (value)
        if (const T* typed = std::get_if<T>(&*value)) return *typed;
    return fallback;
}

}  // namespace

const QStringList& Preferences::storedKeys() {
    static const QStringList keys{SUEnableAutomaticChecks, CheckForPlugInUpdates, SaveBackup,
                                  SaveWindowPositionOnExit, TerminateWhenLastDocumentIsClosed,
                                  AutoCompleteKeywords, AutoCompleteSources, AutoSave, TabSwitchesToKeywords,
                                  StartupMode, AutoSaveTimeInterval, SpotlightFileGenerationTimeInterval,
                                  DefaultDocument};
    return keys;
}

const QStringList& Preferences::checkBoxKeys() {
    static const QStringList keys = storedKeys().mid(0, 9);
    return keys;
}

FontAttribute Preferences::defaultProportionalFont() {
    return FontAttribute{QStringLiteral("Helvetica"), QStringLiteral("Helvetica"), 12.0};
}

FontAttribute Preferences::defaultFixedPitchFont() {
    return FontAttribute{QStringLiteral("Monaco"), QStringLiteral("Monaco"), 10.0};
}

const PreferenceSet& Preferences::defaultValues() {
    static const PreferenceSet values = [] {
        PreferenceSet set;
        for (const QString& key : checkBoxKeys()) set[key] = true;
        set[SaveWindowPositionOnExit] = false;
        set[TerminateWhenLastDocumentIsClosed] = false;
        set[StartupMode] = qint64(1);
        set[AutoSaveTimeInterval] = qint64(10);
        set[SpotlightFileGenerationTimeInterval] = qint64(10);
        set[DefaultDocument] = QString();
        set[PlainTextFont] = defaultFixedPitchFont();
        set[SlipTextFont] = defaultProportionalFont();
        // In the single precision of the archived form, so that the default
        // reads back from the store as itself.
        auto f = [](double v) { return double(float(v)); };
        set[HighlightColour] = ColorAttribute::cmyk(f(0.05), f(0.85), f(0.99), f(0.17), 1.0);
        return set;
    }();
    return values;
}

Preferences& Preferences::sharedInstance() {
    auto& preferences = sharedPreferences();
    if (!preferences) preferences = std::make_unique<Preferences>(Defaults::standard());
    return *preferences;
}

void Preferences::resetSharedInstance() { sharedPreferences().reset(); }

Preferences::Preferences(Defaults& defaults) : defaults_(defaults) {
    curValues_ = std::make_shared<const PreferenceSet>(preferencesFromDefaults());
    origValues_ = curValues_;
    discardDisplayedValues();
}

std::optional<PreferenceValue> Preferences::objectForKey(const QString& key) const {
    const auto it = curValues_->find(key);
    if (it == curValues_->end()) return std::nullopt;
    return it->second;
}

bool Preferences::boolForKey(const QString& key) const { return valueOr(objectForKey(key), false); }
qint64 Preferences::integerForKey(const QString& key) const { return valueOr(objectForKey(key), qint64(0)); }
QString Preferences::stringForKey(const QString& key) const { return valueOr(objectForKey(key), QString()); }
FontAttribute Preferences::fontForKey(const QString& key) const {
    return valueOr(objectForKey(key), key == PlainTextFont ? defaultFixedPitchFont() : defaultProportionalFont());
}
ColorAttribute Preferences::colorForKey(const QString& key) const {
    return valueOr(objectForKey(key), std::get<ColorAttribute>(defaultValues().at(HighlightColour)));
}

void Preferences::setObject(const PreferenceValue& value, const QString& key) {
    PreferenceSet copy = *curValues_;
    copy[key] = value;
    setPrefs(copy);
}

void Preferences::saveDefaults() {
    if (*curValues_ == *origValues_) return;
    savePreferencesToDefaults(*curValues_);
}

FontAttribute Preferences::userFont(bool fixedPitch) const {
    const auto stored = defaults_.persistentObjectForKey(fixedPitch ? UserFixedPitchFontKey : UserFontKey);
    if (stored)
        if (auto font = fontFromPlist(*stored)) return *font;
    return fixedPitch ? defaultFixedPitchFont() : defaultProportionalFont();
}

void Preferences::setUserFont(bool fixedPitch, const FontAttribute& font) {
    defaults_.setObject(fixedPitch ? UserFixedPitchFontKey : UserFontKey, fontToPlist(font));
}

PreferenceSet Preferences::preferencesFromDefaults() const {
    const PreferenceSet& defaults = defaultValues();
    PreferenceSet set;
    for (const QString& key : storedKeys()) {
        const auto stored = defaults_.persistentObjectForKey(key);
        if (!stored) {
            set[key] = defaults.at(key);
        } else if (key == DefaultDocument) {
            set[key] = defaults_.stringForKey(key);
        } else if (isIntegerKey(key)) {
            set[key] = Defaults::toInteger(*stored);
        } else {
            set[key] = Defaults::toBool(*stored);
        }
    }
    set[PlainTextFont] = userFont(true);
    set[SlipTextFont] = userFont(false);
    set[HighlightColour] = defaults.at(HighlightColour);
    const auto colour = defaults_.persistentObjectForKey(HighlightColour);
    if (colour && colour->type() == PlistValue::Type::Data) {
        const Result<ColorAttribute> read = colorFromArchivedData(colour->toData());
        if (read)
            set[HighlightColour] = *read;
        else
            logLine(QStringLiteral("Preferences:preferencesFromDefaults: HighlightColour: %1").arg(read.error()));
    }
    return set;
}

void Preferences::savePreferencesToDefaults(const PreferenceSet& values) {
    const PreferenceSet& defaults = defaultValues();
    for (const QString& key : storedKeys()) {
        const auto it = values.find(key);
        if (it == values.end() || it->second == defaults.at(key))
            defaults_.removeObject(key);
        else
            defaults_.setObject(key, storedForm(key, it->second));
    }
    for (const bool fixedPitch : {true, false}) {
        const auto it = values.find(fixedPitch ? PlainTextFont : SlipTextFont);
        if (it == values.end()) continue;
        if (const FontAttribute* font = std::get_if<FontAttribute>(&it->second); font && !(*font == userFont(fixedPitch)))
            setUserFont(fixedPitch, *font);
    }
    const auto colour = values.find(HighlightColour);
    const ColorAttribute highlight = colour != values.end() && std::holds_alternative<ColorAttribute>(colour->second)
                                         ? std::get<ColorAttribute>(colour->second)
                                         : std::get<ColorAttribute>(defaults.at(HighlightColour));
    defaults_.setObject(HighlightColour, PlistValue(archivedColorData(highlight)));
}

QString Preferences::abbreviateWithTilde(const QString& path) {
    const QString home = QDir::homePath();
    if (path == home) return QStringLiteral("~");
    if (path.startsWith(home + QLatin1Char('/'))) return QLatin1Char('~') + path.mid(home.size());
    return path;
}

QString Preferences::expandTilde(const QString& path) {
    if (path == QLatin1String("~")) return QDir::homePath();
    if (path.startsWith(QLatin1String("~/"))) return QDir::homePath() + path.mid(1);
    return path;
}

QString Preferences::fontDescription(const std::optional<FontAttribute>& font) {
    if (!font) return QString();
    const QString name = font->postScriptName.isEmpty() ? font->family : font->postScriptName;
    return QStringLiteral("%1 %2").arg(name, QString::number(font->pointSize, 'g', 6));
}

Preferences::Controls Preferences::updateUI() const {
    const PreferenceSet& shown = *displayedValues_;
    auto get = [&](const QString& key) -> std::optional<PreferenceValue> {
        const auto it = shown.find(key);
        if (it == shown.end()) return std::nullopt;
        return it->second;
    };
    Controls controls;
    controls.slipTextFontField = fontDescription(
        get(SlipTextFont) ? std::optional<FontAttribute>(valueOr(get(SlipTextFont), FontAttribute{})) : std::nullopt);
    controls.plainTextFontField = fontDescription(
        get(PlainTextFont) ? std::optional<FontAttribute>(valueOr(get(PlainTextFont), FontAttribute{})) : std::nullopt);
    for (const QString& key : checkBoxKeys()) controls.checks[key] = valueOr(get(key), false);
    controls.startupMode = int(valueOr(get(StartupMode), qint64(1)));
    controls.defaultDocumentField = abbreviateWithTilde(valueOr(get(DefaultDocument), QString()));
    controls.autoSaveIntervalField = QString::number(valueOr(get(AutoSaveTimeInterval), qint64(0)));
    controls.spotlightIntervalField = QString::number(valueOr(get(SpotlightFileGenerationTimeInterval), qint64(0)));
    controls.highlightColour = valueOr(get(HighlightColour), ColorAttribute{});
    return controls;
}

void Preferences::commitDisplayedValues(const QString& defaultDocumentField) {
    (*displayedValues_)[DefaultDocument] = defaultDocumentField;
    if (curValues_.get() != displayedValues_.get()) curValues_ = std::make_shared<const PreferenceSet>(*displayedValues_);
}

void Preferences::discardDisplayedValues() {
    if (curValues_.get() != displayedValues_.get()) displayedValues_ = std::make_shared<PreferenceSet>(*curValues_);
}

QString Preferences::selectDefaultDocument(Controls& controls) {
    const std::optional<QString> chosen = chooseDefaultDocument ? chooseDefaultDocument() : std::nullopt;
    if (!chosen || chosen->isEmpty()) return QString();
    controls.defaultDocumentField = abbreviateWithTilde(*chosen);
    (*displayedValues_)[DefaultDocument] = *chosen;
    return *chosen;
}

Preferences::Controls Preferences::miscChanged(const Controls& given, Sender sender) {
    Controls controls = given;
    PreferenceSet& shown = *displayedValues_;
    for (const QString& key : checkBoxKeys()) {
        const auto it = controls.checks.find(key);
        shown[key] = it != controls.checks.end() && it->second;
    }
    shown[AutoSaveTimeInterval] = qint64(intValueOfString(controls.autoSaveIntervalField));
    shown[SpotlightFileGenerationTimeInterval] = qint64(intValueOfString(controls.spotlightIntervalField));
    shown[HighlightColour] = controls.highlightColour;
    shown[StartupMode] = qint64(controls.startupMode);
    if (controls.startupMode == 4 && controls.defaultDocumentField.isEmpty() && selectDefaultDocument(controls).isEmpty() &&
        ui_) {
        ui_->showAlert({UiPort::AlertStyle::Modal, QStringLiteral("No default document selected!"),
                        QStringLiteral("I can only open the a default document at startup if one is specified.")});
    }
    commitDisplayedValues(controls.defaultDocumentField);
    return updateUI();
}

void Preferences::windowWillClose(const Controls& controls) {
    miscChanged(controls, Sender::Controller);
    saveDefaults();
}

void Preferences::changeFont(const QString& key, const FontAttribute& font) {
    if (key != SlipTextFont && key != PlainTextFont) return;
    (*displayedValues_)[key] = font;
    const auto document = displayedValues_->find(DefaultDocument);
    commitDisplayedValues(document != displayedValues_->end() ? valueOr<QString>(document->second, QString()) : QString());
    if (fontChanged) fontChanged(key);
}

QString Preferences::spotlightCacheFolder() { return Paths::spotlightCacheFolder(); }

bool Preferences::addKeywordToBoxSearch() const {
    const auto stored = defaults_.persistentObjectForKey(QStringLiteral("AddKeywordToBoxSearch"));
    return !stored || Defaults::toBool(*stored);
}

void Preferences::deleteSpotlightFiles() {
    QDir folder(spotlightCacheFolder());
    if (!folder.exists()) return;
    const auto entries = folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        // A link is removed itself, never what it points to.
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.absoluteFilePath()).removeRecursively();
        else
            QFile::remove(entry.absoluteFilePath());
    }
}

}  // namespace fendle
