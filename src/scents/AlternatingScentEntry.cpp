#include "scents/AlternatingScentEntry.h"

#include "model/BoxData.h"
#include "platform/system/Log.h"
#include "platform/text/TextMatching.h"
#include "platform/text/TextOrdering.h"

#include <algorithm>

namespace fendle {

AlternatingScentEntry::AlternatingScentEntry(PrivateTag, const QString& text, int type,
                                             std::shared_ptr<const ScentMap> slipDictionary,
                                             std::shared_ptr<const KeywordsStringMap> keywordDictionary)
    : entry_(text),
      type_(type),
      slipDictionary_(std::move(slipDictionary)),
      keywordDictionary_(std::move(keywordDictionary)) {}

AlternatingScentEntry::AlternatingScentEntry(const QString& text, int type,
                                             std::shared_ptr<const ScentMap> slipDictionary,
                                             std::shared_ptr<const KeywordsStringMap> keywordDictionary)
    : AlternatingScentEntry(PrivateTag{}, text, type, std::move(slipDictionary), std::move(keywordDictionary)) {
    makeScents();
}

AlternatingScentEntryPtr AlternatingScentEntry::initEmptyScent(const QString& text, int type,
                                                               std::shared_ptr<const ScentMap> slipDictionary,
                                                               std::shared_ptr<const KeywordsStringMap> keywordDictionary) {
    return std::make_shared<AlternatingScentEntry>(PrivateTag{}, text, type, std::move(slipDictionary),
                                                   std::move(keywordDictionary));
}

QString AlternatingScentEntry::slipKeyOfLabel(const QString& label) {
    const qsizetype bracket = label.indexOf(QStringLiteral(" ["));
    return bracket < 0 ? label : label.left(bracket);
}

bool AlternatingScentEntry::makeScents() {
    scents_.clear();
    due_ = false;
    if (type_ != KeywordType && type_ != SlipType) {
        logLine(QStringLiteral("The current AlternatingScentEntry type is not recognised! Please contact the creator "
                               "of this program! (This is a bug, which should be fixed.)"));
        return false;
    }
    due_ = true;
    return true;
}

void AlternatingScentEntry::buildDueChildren() {
    if (!due_) return;
    due_ = false;
    const bool keywordNode = type_ == KeywordType;
    const QStringList texts = keywordNode ? slipDictionary_->value(entry_)
                                          : splitCommaDelimitedString(keywordDictionary_->value(slipKeyOfLabel(entry_)));
    struct Child {
        QString folded;
        QString text;
    };
    std::vector<Child> children;
    children.reserve(static_cast<std::size_t>(texts.size()));
    for (const QString& text : texts) children.push_back({foldCase(text), text});
    std::stable_sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
        return compareFoldedNumerically(a.folded, b.folded) < 0;
    });
    const int childType = keywordNode ? SlipType : KeywordType;
    scents_.reserve(children.size());
    for (const Child& child : children)
        scents_.push_back(std::make_shared<AlternatingScentEntry>(PrivateTag{}, child.text, childType,
                                                                  slipDictionary_, keywordDictionary_));
}

const std::vector<AlternatingScentEntryPtr>& AlternatingScentEntry::scents() {
    buildDueChildren();
    for (const AlternatingScentEntryPtr& child : scents_) child->makeScents();
    return scents_;
}

qsizetype AlternatingScentEntry::numberOfScents() {
    buildDueChildren();
    return static_cast<qsizetype>(scents_.size());
}

AlternatingScentEntryPtr AlternatingScentEntry::keywordScentAtIndex(qsizetype index) {
    const std::vector<AlternatingScentEntryPtr>& children = scents();
    if (index < 0 || index >= static_cast<qsizetype>(children.size())) return nullptr;
    return children[static_cast<std::size_t>(index)];
}

int AlternatingScentEntry::compare(const AlternatingScentEntry& other) const {
    const int c = entry_.compare(other.entry_);
    return (c > 0) - (c < 0);
}

int AlternatingScentEntry::caseInsensitiveCompare(const AlternatingScentEntry& other) const {
    return compareIgnoringCase(entry_, other.entry_);
}

int AlternatingScentEntry::compareAscending(const AlternatingScentEntry& other) const {
    return compareNumericallyIgnoringCase(entry_, other.entry_);
}

}  // namespace fendle
