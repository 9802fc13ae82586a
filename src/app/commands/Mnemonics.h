#pragma once
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace fendle {

// Alt-key mnemonics of one menu (or menu bar), as desktop menus mark them.
// Given the menu's titles up front, every title that can have a letter of
// its own gets one (word starts preferred), also in long menus where
// first-come letters would run out. Titles are stored with the mark
// ("&Next"); the enabling rules know items by their plain titles.
class Mnemonics {
public:
    Mnemonics() = default;
    explicit Mnemonics(const QStringList& titles);

    // The title with "&" before its mnemonic letter; a title's own "&" is
    // escaped. A title not given up front takes the first free letter; one
    // without a free letter stays unmarked.
    QString mark(const QString& title);
    // Another title of the same item (in the trash): the item's letter again
    // where the title has it, else a free one.
    QString markAlike(const QString& title, const QString& markedSibling);
    // The title as the user reads it: marks removed, "&&" back to "&".
    static QString plain(const QString& marked);

private:
    QSet<QChar> taken_;
    QHash<QString, QChar> planned_;

    // The title with "&" before position `at` (none when -1), its own "&" escaped.
    static QString markedAt(const QString& title, qsizetype at);
    // Where the letter stands in the title: its first word start, else its first place; -1 when absent.
    static qsizetype positionOf(const QString& title, QChar letter);
};

}  // namespace fendle
