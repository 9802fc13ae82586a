#pragma once
#include <QStringList>

namespace fendle {

class Defaults;

// The boxes opened last, newest first, kept in the defaults store.
class RecentBoxes {
public:
    static inline const QString DefaultsKey = QStringLiteral("FDLRecentBoxes");
    static constexpr qsizetype MaxCount = 10;

    explicit RecentBoxes(Defaults& defaults) : defaults_(defaults) {}
    QStringList paths() const;
    void note(const QString& path);
    void clear();

private:
    Defaults& defaults_;
};

}  // namespace fendle
