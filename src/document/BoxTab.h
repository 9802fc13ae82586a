#pragma once
#include <QString>
#include <array>
#include <optional>

namespace fendle {

// The four views of a box window, in the order of the view selector.
enum class BoxTab { Slip, Search, KeywordScent, AlternatingScent };

inline constexpr std::array<BoxTab, 4> AllBoxTabs{BoxTab::Slip, BoxTab::Search, BoxTab::KeywordScent,
                                                   BoxTab::AlternatingScent};

// "Slip", "Search", "Keyword Scent", "Alternating Scent": the tab titles,
// which the window title and the alerts quote.
QString tabLabel(BoxTab tab);
std::optional<BoxTab> tabOfLabel(const QString& label);
inline int tabIndex(BoxTab tab) { return static_cast<int>(tab); }
std::optional<BoxTab> tabAtIndex(int index);

}  // namespace fendle
