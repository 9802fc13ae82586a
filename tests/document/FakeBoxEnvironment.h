#pragma once
#include "document/Box.h"
#include "document/BoxPreferences.h"
#include "document/WebResources.h"

#include <QObject>
#include <QUrl>

namespace fendle::test {

// Preferences a test sets by hand.
class FakeBoxPreferences : public BoxPreferences {
public:
    FontAttribute font{QStringLiteral("Helvetica"), QStringLiteral("Helvetica"), 12.0};
    bool spelling = false;
    bool backup = false;
    ColorAttribute highlight{ColorAttribute::rgb(1.0, 1.0, 0.0)};
    bool tabToKeywords = true;
    bool addKeywordToSearch = true;

    FontAttribute slipTextFont() const override { return font; }
    bool checkSpellingAsYouType() const override { return spelling; }
    bool keepBackupFile() const override { return backup; }
    ColorAttribute highlightColour() const override { return highlight; }
    bool tabSwitchesToKeywords() const override { return tabToKeywords; }
    bool addKeywordToBoxSearch() const override { return addKeywordToSearch; }
};

// Web resources answered by the test: every page is `page`, every media
// file `media`; with `failure` set every fetch fails with it.
class FakeWebResources : public WebResources {
public:
    WebPage page{RichText(QStringLiteral("Page text")), std::nullopt};
    RichText media;
    std::optional<QString> failure;
    QList<QUrl> fetched;

    Result<RichText> mediaText(const QUrl& url) override {
        fetched.append(url);
        if (failure) return Result<RichText>::failure(*failure);
        return media;
    }
    Result<WebPage> webPage(const QUrl& url) override {
        fetched.append(url);
        if (failure) return Result<WebPage>::failure(*failure);
        return page;
    }
};

// What a box announces to its window, as the window would see it.
struct BoxAnnouncements {
    QString windowTitle;
    QString selectedTab;
    std::optional<bool> editorEditable;
    QList<bool> trashModeChanges;
    int extraWindowClosings = 0;
    int refreshes = 0;

    void listenTo(Box& box) {
        QObject::connect(&box, &Box::windowTitleChanged, [this](const QString& title) {
            windowTitle = title;
            ++refreshes;
        });
        QObject::connect(&box, &Box::tabSelected, [this](BoxTab tab) { selectedTab = tabLabel(tab); });
        QObject::connect(&box.editor(), &EditorModel::editableChanged, [this](bool on) { editorEditable = on; });
        QObject::connect(&box.document(), &BoxDocument::trashModeChanged, [this](bool on) { trashModeChanges.append(on); });
        QObject::connect(&box, &Box::extraSlipWindowsMustClose, [this] { ++extraWindowClosings; });
    }
};

}  // namespace fendle::test
