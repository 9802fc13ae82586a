#include "app/commands/Mnemonics.h"

#include <functional>
#include <map>

namespace fendle {

namespace {

bool isWordStart(const QString& title, qsizetype i) { return i == 0 || title[i - 1].isSpace(); }

// The letters a title could take, word starts first.
QList<QChar> candidatesOf(const QString& title) {
    QList<QChar> letters;
    for (const bool wordStarts : {true, false})
        for (qsizetype i = 0; i < title.size(); ++i) {
            const QChar c = title[i].toLower();
            if (title[i].isLetterOrNumber() && isWordStart(title, i) == wordStarts && !letters.contains(c))
                letters.append(c);
        }
    return letters;
}

}  // namespace

Mnemonics::Mnemonics(const QStringList& titles) {
    // A matching of titles to letters: a title whose letters are all taken
    // moves an earlier title on to another of its letters where it can.
    std::map<QChar, qsizetype> owner;
    std::function<bool(qsizetype, QSet<QChar>&)> place = [&](qsizetype item, QSet<QChar>& seen) {
        for (const QChar c : candidatesOf(titles[item])) {
            if (seen.contains(c)) continue;
            seen.insert(c);
            const auto held = owner.find(c);
            if (held == owner.end() || place(held->second, seen)) {
                owner[c] = item;
                return true;
            }
        }
        return false;
    };
    // First come, first served: earlier titles keep their preferred letters…
    QList<bool> placed(titles.size(), false);
    for (qsizetype item = 0; item < titles.size(); ++item)
        for (const QChar c : candidatesOf(titles[item]))
            if (!owner.count(c)) {
                owner[c] = item;
                placed[item] = true;
                break;
            }
    // …then a title left without one makes room by moving others along.
    for (qsizetype item = 0; item < titles.size(); ++item) {
        if (placed[item]) continue;
        QSet<QChar> seen;
        place(item, seen);
    }
    for (const auto& [letter, item] : owner) {
        planned_.insert(titles[item], letter);
        taken_.insert(letter);
    }
}

QString Mnemonics::mark(const QString& title) {
    if (const auto planned = planned_.constFind(title); planned != planned_.cend())
        return markedAt(title, positionOf(title, *planned));
    for (const QChar c : candidatesOf(title)) {
        if (taken_.contains(c)) continue;
        taken_.insert(c);
        return markedAt(title, positionOf(title, c));
    }
    return markedAt(title, -1);
}

QString Mnemonics::markAlike(const QString& title, const QString& markedSibling) {
    QChar letter;
    for (qsizetype i = 0; i + 1 < markedSibling.size() && letter.isNull(); ++i) {
        if (markedSibling[i] != QLatin1Char('&')) continue;
        if (markedSibling[i + 1] == QLatin1Char('&'))
            ++i;
        else
            letter = markedSibling[i + 1].toLower();
    }
    const qsizetype at = letter.isNull() ? -1 : positionOf(title, letter);
    return at >= 0 ? markedAt(title, at) : mark(title);
}

qsizetype Mnemonics::positionOf(const QString& title, QChar letter) {
    qsizetype first = -1;
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (title[i].toLower() != letter) continue;
        if (isWordStart(title, i)) return i;
        if (first < 0) first = i;
    }
    return first;
}

QString Mnemonics::markedAt(const QString& title, qsizetype at) {
    QString marked;
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (i == at) marked += QLatin1Char('&');
        marked += title[i];
        if (title[i] == QLatin1Char('&')) marked += QLatin1Char('&');
    }
    return marked;
}

QString Mnemonics::plain(const QString& marked) {
    QString title;
    title.reserve(marked.size());
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] == QLatin1Char('&')) {
            if (i + 1 < marked.size() && marked[i + 1] == QLatin1Char('&')) title += QLatin1Char('&');
            ++i;
            if (i < marked.size() && marked[i] != QLatin1Char('&')) title += marked[i];
            continue;
        }
        title += marked[i];
    }
    return title;
}

}  // namespace fendle
