// Pictures of the four views, the inspector and the preferences for the
// README, drawn offscreen. Run by `make screenshots`, which names the folder
// in FENDLE_SCREENSHOTS_DIR; without it the test is skipped.
#include "BoxWindowFixture.h"
#include "app/views/SearchView.h"
#include "app/windows/InfoPanel.h"
#include "app/windows/PreferencesWindow.h"
#include "search/SearchRuleEditor.h"

#include <QDir>
#include <QPixmap>

using namespace fendle;
using fendle::test::BoxWindowFixture;

namespace {

class ScreenshotsTest : public BoxWindowFixture {
protected:
    QString folder_ = qEnvironmentVariable("FENDLE_SCREENSHOTS_DIR");

    void openExampleBox() {
        const QList<std::tuple<quint32, QString, QStringList>> cards{
            {1, "Welcome to Fendle\nEach slip is one note.", {"fendle", "notes"}},
            {2, "Keywords relate slips\nSlips sharing keywords scent each other.", {"fendle", "keywords", "scents"}},
            {3, "Searching\nRules find slips by any field.", {"fendle", "search"}},
            {4, "Alternating scents\nKeyword, slips, keywords...", {"scents", "keywords"}},
            {5, "Saved searches\nThe inspector keeps them in the box.", {"search", "inspector"}}};
        SlipDictionary slips;
        for (const auto& [number, text, keywords] : cards) {
            auto slip = Slip::create(number);
            slip->setTextWithoutLastModificationDate(RichText(text));
            slip->setKeywordsWithoutLastModificationDate(KeywordsArray(keywords));
            slip->setSourceWithoutLastModificationDate(QStringLiteral("https://example.org/%1").arg(number));
            slips.insert(slip->key(), slip);
        }
        openSlips(slips);
        window->resize(1280, 760);
        window->show();
        settle();
    }
    void save(QWidget& widget, const QString& name) {
        settle();
        settle();
        EXPECT_TRUE(widget.grab().save(QDir(folder_).filePath(name + QStringLiteral(".png"))));
    }
};

}  // namespace

TEST_F(ScreenshotsTest, TheViewsTheInspectorAndThePreferences) {
    if (folder_.isEmpty()) GTEST_SKIP() << "FENDLE_SCREENSHOTS_DIR names no folder";
    ASSERT_TRUE(QDir().mkpath(folder_));
    openExampleBox();
    choose("Previous");
    save(*window, "slip-view");
    choose("Search View");
    save(*window, "search-view");
    choose("Keyword Scent View");
    save(*window, "keyword-scent-view");
    choose("Alternating Scent View");
    save(*window, "alternating-scent-view");
    choose("Slip View");
    choose("Show Inspector");
    save(gui->inspector(), "inspector");
    gui->showPreferences();
    save(*gui->preferencesWindow(), "preferences");
}
