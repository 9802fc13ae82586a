#pragma once
#include <QString>
#include <memory>

namespace fendle {

class BoxWindow;
class KeywordAndSlipWindow;
class KeywordAndSlipWindowView;
class ReplaceKeywordDialog;

// The box's housekeeping commands of the menus (flags, keywords, links, the
// lists and the statistics), with the small dialogues and windows they show.
class SlipCommands {
public:
    explicit SlipCommands(BoxWindow& window);
    ~SlipCommands();

    void toggleFlagged();
    void flagAllSearchResults();
    void unflagAllSlips();
    void addKeywordToSelectedResults();
    // The replace-keyword dialogue with the old keyword filled in.
    void replaceKeyword(const QString& oldKeyword);
    void makeSlipLink();
    void findNextOrphanedSlipLink();
    void convertSelectedTextToDefault();
    void statistics();
    void findSingletonKeywords();
    void findOrphanedSlips();

private:
    BoxWindow& window_;
    ReplaceKeywordDialog* replaceKeywordDialog_ = nullptr;

    void showList(const std::shared_ptr<KeywordAndSlipWindow>& list);
};

}  // namespace fendle
