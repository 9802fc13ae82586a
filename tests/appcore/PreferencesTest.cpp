#include "AppcoreFixture.h"
#include "../document/FakeUiPort.h"
#include "appcore/LegacyDefaultsMigration.h"
#include "platform/typedstream/TypedStreamCodecs.h"

#include <QDir>
#include <QFile>

using namespace fendle;
using namespace fendle::test;

namespace {

class PreferencesTest : public AppcoreFixture {};

TEST_F(PreferencesTest, FreshStoreAnswersEveryDefault) {
    Preferences& prefs = Preferences::sharedInstance();
    EXPECT_EQ(&prefs, &Preferences::sharedInstance());
    for (const auto& [key, value] : Preferences::defaultValues()) {
        ASSERT_TRUE(prefs.objectForKey(key)) << key.toStdString();
        EXPECT_TRUE(*prefs.objectForKey(key) == value) << key.toStdString();
    }
    EXPECT_EQ(prefs.integerForKey(Preferences::StartupMode), 1);
    EXPECT_TRUE(prefs.boolForKey(Preferences::AutoSave));
    EXPECT_FALSE(prefs.boolForKey(Preferences::SaveWindowPositionOnExit));
    const ColorAttribute colour = prefs.colorForKey(Preferences::HighlightColour);
    EXPECT_EQ(colour.space, ColorAttribute::Space::DeviceCMYK);
    EXPECT_FLOAT_EQ(colour.components[0], 0.05);
    EXPECT_FLOAT_EQ(colour.components[1], 0.85);
    EXPECT_FLOAT_EQ(colour.components[2], 0.99);
    EXPECT_FLOAT_EQ(colour.components[3], 0.17);
    EXPECT_DOUBLE_EQ(colour.alpha, 1.0);
    EXPECT_FALSE(prefs.objectForKey("FDLSlipToDisplayWhenOpeningBox"));
}

TEST_F(PreferencesTest, SetObjectChangesCurrentValuesButNotTheStoreUntilSaved) {
    Preferences& prefs = Preferences::sharedInstance();
    const auto before = prefs.preferences();
    prefs.setObject(qint64(3), Preferences::StartupMode);
    EXPECT_EQ(prefs.integerForKey(Preferences::StartupMode), 3);
    EXPECT_EQ(before->at(Preferences::StartupMode), PreferenceValue(qint64(1)));  // the old set is untouched
    EXPECT_FALSE(Defaults::standard().persistentObjectForKey(Preferences::StartupMode));
    prefs.saveDefaults();
    EXPECT_EQ(Defaults::standard().persistentObjectForKey(Preferences::StartupMode)->toInteger(), 3);
    ASSERT_TRUE(Defaults::standard().synchronize());
    reset();
    EXPECT_EQ(Preferences::sharedInstance().integerForKey(Preferences::StartupMode), 3);
}

TEST_F(PreferencesTest, UnchangedSaveWritesNothing) {
    Preferences& prefs = Preferences::sharedInstance();
    prefs.setObject(false, Preferences::AutoSave);
    prefs.setObject(true, Preferences::AutoSave);  // back to the launch value
    prefs.saveDefaults();
    ASSERT_TRUE(Defaults::standard().synchronize());
    EXPECT_EQ(Defaults::standard().writeCount(), 0);
    EXPECT_TRUE(Defaults::standard().persistentDomain().empty());
}

TEST_F(PreferencesTest, ValueSetBackToItsDefaultLeavesTheStore) {
    Defaults::standard().setObject(Preferences::AutoSaveTimeInterval, 25);
    Defaults::standard().setObject(Preferences::DefaultDocument, "~/a.fendle");
    Preferences& prefs = Preferences::sharedInstance();
    EXPECT_EQ(prefs.integerForKey(Preferences::AutoSaveTimeInterval), 25);
    prefs.setObject(qint64(10), Preferences::AutoSaveTimeInterval);
    prefs.saveDefaults();
    EXPECT_FALSE(Defaults::standard().persistentObjectForKey(Preferences::AutoSaveTimeInterval));
    EXPECT_EQ(Defaults::standard().stringForKey(Preferences::DefaultDocument), "~/a.fendle");
    // The colour is written on every save, in its archived form.
    const auto colour = Defaults::standard().persistentObjectForKey(Preferences::HighlightColour);
    ASSERT_TRUE(colour);
    ASSERT_EQ(colour->type(), PlistValue::Type::Data);
    EXPECT_EQ(*colorFromArchivedData(colour->toData()), prefs.colorForKey(Preferences::HighlightColour));
}

TEST_F(PreferencesTest, StoredValuesOfTheWrongTypeConvert) {
    Defaults::standard().setObject(Preferences::AutoSave, PlistValue(QByteArray("x")));
    Defaults::standard().setObject(Preferences::StartupMode, "four");
    Defaults::standard().setObject(Preferences::HighlightColour, PlistValue(QByteArray("not a stream")));
    Preferences& prefs = Preferences::sharedInstance();
    EXPECT_FALSE(prefs.boolForKey(Preferences::AutoSave));
    EXPECT_EQ(prefs.integerForKey(Preferences::StartupMode), 0);
    EXPECT_EQ(prefs.colorForKey(Preferences::HighlightColour),
              std::get<ColorAttribute>(Preferences::defaultValues().at(Preferences::HighlightColour)));
}

TEST_F(PreferencesTest, FontsAndColourRoundTripThroughTheStore) {
    Preferences& prefs = Preferences::sharedInstance();
    const FontAttribute font{"Palatino", "Palatino-BoldItalic", 15.5, true, true};
    const ColorAttribute red = ColorAttribute::rgb(1, 0, 0, 0.5);
    prefs.setObject(font, Preferences::SlipTextFont);
    prefs.setObject(red, Preferences::HighlightColour);
    prefs.saveDefaults();
    ASSERT_TRUE(Defaults::standard().synchronize());
    const auto stored = Defaults::standard().persistentObjectForKey(Preferences::UserFontKey);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->value("Style")->toString(), "Bold Italic");
    EXPECT_FALSE(Defaults::standard().persistentObjectForKey(Preferences::UserFixedPitchFontKey));
    reset();
    Preferences& again = Preferences::sharedInstance();
    EXPECT_EQ(again.fontForKey(Preferences::SlipTextFont), font);
    EXPECT_EQ(again.fontForKey(Preferences::PlainTextFont), Preferences::defaultFixedPitchFont());
    EXPECT_EQ(again.colorForKey(Preferences::HighlightColour), red);
}

TEST_F(PreferencesTest, DisplayedValuesCommitAndDiscard) {
    Preferences& prefs = Preferences::sharedInstance();
    Preferences::Controls controls = prefs.updateUI();
    EXPECT_EQ(controls.slipTextFontField, "Helvetica 12");
    EXPECT_EQ(controls.plainTextFontField, "Monaco 10");
    EXPECT_EQ(controls.startupMode, 1);
    EXPECT_EQ(controls.autoSaveIntervalField, "10");
    EXPECT_TRUE(controls.checks.at(Preferences::AutoSave));

    controls.checks[Preferences::AutoSave] = false;
    controls.autoSaveIntervalField = "  7 minutes";
    controls.spotlightIntervalField = "soon";  // non-numeric: 0
    controls.defaultDocumentField = QDir::homePath() + "/b.fendle";
    const Preferences::Controls shown = prefs.miscChanged(controls, Preferences::Sender::Control);
    EXPECT_FALSE(prefs.boolForKey(Preferences::AutoSave));
    EXPECT_EQ(prefs.integerForKey(Preferences::AutoSaveTimeInterval), 7);
    EXPECT_EQ(prefs.integerForKey(Preferences::SpotlightFileGenerationTimeInterval), 0);
    EXPECT_EQ(prefs.stringForKey(Preferences::DefaultDocument), QDir::homePath() + "/b.fendle");
    EXPECT_EQ(shown.defaultDocumentField, "~/b.fendle");

    // Displayed edits that are not committed go away on discard.
    controls = shown;
    prefs.setObject(qint64(2), Preferences::StartupMode);
    prefs.discardDisplayedValues();
    EXPECT_EQ(prefs.updateUI().startupMode, 2);
}

TEST_F(PreferencesTest, TheIntervalFieldSetsTheGenerationInterval) {
    Preferences& prefs = Preferences::sharedInstance();
    Preferences::Controls controls = prefs.updateUI();
    controls.spotlightIntervalField = "3";
    prefs.miscChanged(controls, Preferences::Sender::SpotlightIntervalField);
    EXPECT_EQ(prefs.integerForKey(Preferences::SpotlightFileGenerationTimeInterval), 3);
}

TEST_F(PreferencesTest, StartupModeFourWithoutPathAsksAndAlertsWhenCancelled) {
    Preferences& prefs = Preferences::sharedInstance();
    FakeUiPort ui;
    prefs.setUiPort(&ui);
    int asked = 0;
    prefs.chooseDefaultDocument = [&]() -> std::optional<QString> {
        ++asked;
        return std::nullopt;
    };
    Preferences::Controls controls = prefs.updateUI();
    controls.startupMode = 4;
    const Preferences::Controls shown = prefs.miscChanged(controls, Preferences::Sender::Control);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ui.takeMessages(), QStringList{"No default document selected!"});
    EXPECT_EQ(shown.startupMode, 4);
    EXPECT_EQ(prefs.integerForKey(Preferences::StartupMode), 4);
    EXPECT_EQ(prefs.stringForKey(Preferences::DefaultDocument), "");

    prefs.chooseDefaultDocument = [&]() -> std::optional<QString> { return QDir::homePath() + "/Boxes/main.fendle"; };
    const Preferences::Controls chosen = prefs.miscChanged(controls, Preferences::Sender::Control);
    EXPECT_TRUE(ui.alerts.isEmpty());
    EXPECT_EQ(chosen.defaultDocumentField, "~/Boxes/main.fendle");
    EXPECT_EQ(prefs.stringForKey(Preferences::DefaultDocument), "~/Boxes/main.fendle");
    EXPECT_EQ(Preferences::expandTilde(prefs.stringForKey(Preferences::DefaultDocument)),
              QDir::homePath() + "/Boxes/main.fendle");
}

TEST_F(PreferencesTest, FontChoiceIsCommittedAndAnnounced) {
    Preferences& prefs = Preferences::sharedInstance();
    QStringList announced;
    prefs.fontChanged = [&](const QString& key) { announced.append(key); };
    prefs.changeFont(Preferences::PlainTextFont, FontAttribute{"Courier", "Courier", 9});
    EXPECT_EQ(prefs.fontForKey(Preferences::PlainTextFont).family, "Courier");
    EXPECT_EQ(prefs.updateUI().plainTextFontField, "Courier 9");
    EXPECT_EQ(announced, QStringList{Preferences::PlainTextFont});
}

TEST_F(PreferencesTest, DeleteSpotlightFilesEmptiesTheCacheFolderOnly) {
    const QString folder = Preferences::spotlightCacheFolder();
    ASSERT_TRUE(folder.startsWith(dir.path()));
    ASSERT_TRUE(QDir().mkpath(folder + "Box/sub"));
    QFile(folder + "1.fdlcache").open(QIODevice::WriteOnly);
    QFile(folder + "Box/sub/2.fdlcache").open(QIODevice::WriteOnly);
    // A link to a folder outside must not lead the removal out there.
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/outside"));
    QFile(dir.path() + "/outside/keep").open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(dir.path() + "/outside", folder + "link"));
    Preferences::deleteSpotlightFiles();
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_TRUE(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(QFile::exists(dir.path() + "/outside/keep"));
}

TEST_F(PreferencesTest, LegacyDomainIsMigratedOnce) {
    const QString folder = Defaults::configFolder();
    {
        Defaults legacy(Defaults::LegacyDomain, folder);
        legacy.setObject(Preferences::StartupMode, 0);
        legacy.setObject("FDLSmartQuotes", false);
        ASSERT_TRUE(legacy.synchronize());
    }
    QFile(folder + "/net.halvorn.fendle.LSSharedFileList.plist").open(QIODevice::WriteOnly);
    EXPECT_TRUE(migrateLegacyDefaults(Defaults::standard(), folder));
    EXPECT_FALSE(QFile::exists(folder + "/net.halvorn.fendle.plist"));
    EXPECT_TRUE(QFile::exists(folder + "/com.quorvel.fendle.LSSharedFileList.plist"));
    EXPECT_EQ(Preferences::sharedInstance().integerForKey(Preferences::StartupMode), 0);
    reset();
    EXPECT_FALSE(Defaults::standard().boolForKey("FDLSmartQuotes"));
    // The second launch finds nothing, and a later change is not overwritten.
    Defaults::standard().setObject(Preferences::StartupMode, 2);
    EXPECT_FALSE(migrateLegacyDefaults(Defaults::standard(), folder));
    EXPECT_EQ(Defaults::standard().integerForKey(Preferences::StartupMode), 2);
}

}  // namespace
