#include "document/BoxTab.h"

namespace fendle {

QString tabLabel(BoxTab tab) {
    switch (tab) {
    case BoxTab::Slip: return QStringLiteral("Slip");
    case BoxTab::Search: return QStringLiteral("Search");
    case BoxTab::KeywordScent: return QStringLiteral("Keyword Scent");
    case BoxTab::AlternatingScent: return QStringLiteral("Alternating Scent");
    }
    return {};
}

std::optional<BoxTab> tabOfLabel(const QString& label) {
    for (const BoxTab tab : AllBoxTabs)
        if (tabLabel(tab) == label) return tab;
    return std::nullopt;
}

std::optional<BoxTab> tabAtIndex(int index) {
    if (index < 0 || index >= int(AllBoxTabs.size())) return std::nullopt;
    return AllBoxTabs[size_t(index)];
}

}  // namespace fendle
