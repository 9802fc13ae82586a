#include "search/SearchRuleEditor.h"

#include "platform/system/Log.h"
#include "search/KeywordPredicateRewriting.h"
#include "search/SearchVocabulary.h"

namespace fendle {
namespace V = SearchVocabulary;

namespace {
const QString RowTypeKey = QStringLiteral("RowType");
const QString ValuesKey = QStringLiteral("Values");
const QString SubrulesKey = QStringLiteral("Subrules");
const QString KeywordField = QStringLiteral("keyword");
const QString EmptyKeywordRule = QStringLiteral("keywords hasKeywordThatContains: \"\"");

QString titleAt(const QVariantList& values, int level) { return values.value(level).toString(); }

// A value read from a form, made into what the control at that place holds.
QVariant controlValue(V::ValueTag tag, const QVariant& stored) {
    switch (tag) {
    case V::TextValue: return stored.toString();
    case V::DateValue: return V::dateValue(stored);
    default: return stored;
    }
}
}  // namespace

SearchRuleEditor::SearchRuleEditor(SearchRuleEditorHost& host) : host_(host) { insertInitialContent(); }

QVariantList SearchRuleEditor::completedValues(int type, QVariantList values) {
    if (type == CompoundRow) {
        if (values.isEmpty()) values.append(V::compoundTitles().first());
        return values.mid(0, 1);
    }
    if (values.isEmpty()) values.append(V::fieldTitles().first());
    const std::optional<V::FieldKind> kind = V::fieldKind(titleAt(values, 0));
    if (!kind) return values.mid(0, 1);
    if (values.size() < 2) values.append(V::operatorTitles(*kind).first());
    const V::ValueTag tag = V::valueTag(titleAt(values, 0), titleAt(values, 1));
    if (tag == V::NoValue) return values.mid(0, 2);
    if (values.size() < 3) values.append(V::defaultValue(tag));
    values[2] = controlValue(tag, values[2]);
    if (tag != V::CountValue) return values.mid(0, 3);
    if (values.size() < 4 || !V::unitTitles().contains(titleAt(values, 3))) values = values.mid(0, 3) << V::unitTitles().first();
    return values.mid(0, 4);
}

int SearchRuleEditor::endOfSubrows(int index) const {
    // The rows after a row belong to it up to the first one whose parent
    // stands before it.
    int end = index + 1;
    while (end < numberOfRows() && rows_[end].parent >= index) ++end;
    return end;
}

// A new last subrow of parent stands right after the parent's rows, where the
// window shows it; the rows after it move down by one.
int SearchRuleEditor::insertRow(int type, QVariantList values, int parent) {
    const int at = parent < 0 ? numberOfRows() : endOfSubrows(parent);
    for (Row& row : rows_)
        if (row.parent >= at) ++row.parent;
    rows_.insert(at, Row{type, completedValues(type, std::move(values)), parent});
    return at;
}

void SearchRuleEditor::insertInitialContent() {
    const int top = insertRow(CompoundRow, {}, -1);
    insertRow(SimpleRow, {}, top);
}

QList<int> SearchRuleEditor::subrowIndexes(int parent) const {
    QList<int> indexes;
    for (int i = 0; i < numberOfRows(); ++i)
        if (rows_[i].parent == parent) indexes.append(i);
    return indexes;
}

int SearchRuleEditor::depthOfRow(int index) const {
    if (index < 0 || index >= numberOfRows()) return 0;
    int depth = 0;
    for (int parent = rows_[index].parent; parent >= 0; parent = rows_[parent].parent) ++depth;
    return depth;
}

bool SearchRuleEditor::canAddRow(int parent) const {
    if (parent < 0) return parent == -1;
    return parent < numberOfRows() && rows_[parent].type == CompoundRow && depthOfRow(parent) < MaximumDepth;
}

int SearchRuleEditor::addRow(int type, int parent) {
    if (!canAddRow(parent)) return -1;
    const int index = insertRow(type, {}, parent);
    adjustWindowSize();
    controlDidChange();
    return index;
}

void SearchRuleEditor::removeRow(int index) {
    if (index < 0 || index >= numberOfRows()) return;
    // Subrows follow their row in display order; drop the whole run.
    const int removed = endOfSubrows(index) - index;
    rows_.remove(index, removed);
    for (Row& row : rows_)
        if (row.parent > index) row.parent -= removed;
    adjustWindowSize();
    controlDidChange();
}

void SearchRuleEditor::setCriterion(int rowIndex, int level, const QString& title) {
    if (rowIndex < 0 || rowIndex >= numberOfRows() || level < 0) return;
    Row& row = rows_[rowIndex];
    QVariantList values = row.values.mid(0, level);
    values.append(title);
    row.values = completedValues(row.type, values);
    controlDidChange();
}

void SearchRuleEditor::setValue(int rowIndex, int level, const QVariant& value) {
    if (rowIndex < 0 || rowIndex >= numberOfRows() || level < 0 || level >= rows_[rowIndex].values.size()) return;
    rows_[rowIndex].values[level] = value;
    controlDidChange();
}

PredicatePtr SearchRuleEditor::predicateOfRow(int index) const {
    const Row& row = rows_[index];
    if (row.type == CompoundRow) {
        const std::optional<Predicate::CompoundType> type = V::compoundTypeOfTitle(titleAt(row.values, 0));
        if (!type) return nullptr;
        QList<PredicatePtr> subpredicates;
        for (int sub : subrowIndexes(index))
            if (PredicatePtr p = predicateOfRow(sub)) subpredicates.append(p);
        return Predicate::compound(*type, subpredicates);
    }
    const QString field = titleAt(row.values, 0), operatorTitle = titleAt(row.values, 1);
    const std::optional<QString> keyPath = V::keyPathOfField(field);
    const std::optional<Predicate::Operator> op = V::operatorOfTitle(operatorTitle);
    const std::optional<V::FieldKind> kind = V::fieldKind(field);
    if (!keyPath || !op || !V::operatorTitles(*kind).contains(operatorTitle)) return nullptr;
    const V::ValueTag tag = V::valueTag(field, operatorTitle);
    const QVariant right = tag == V::NoValue
                               ? QVariant(operatorTitle == u"is set" ? QStringLiteral("1") : QStringLiteral("0"))
                               : V::rightValue(tag, row.values.value(2), titleAt(row.values, 3));
    return Predicate::comparison(*keyPath, *op, right, V::fieldIgnoresCase(field));
}

PredicatePtr SearchRuleEditor::predicate() const {
    QList<PredicatePtr> top;
    for (int index : subrowIndexes(-1))
        if (PredicatePtr p = predicateOfRow(index)) top.append(p);
    if (top.isEmpty()) return nullptr;
    return top.size() == 1 ? top.first() : Predicate::compound(Predicate::CompoundType::And, top);
}

PredicatePtr SearchRuleEditor::substituteKeywordsPredicateOpertators(const PredicatePtr& predicate) {
    return substituteKeywordsPredicateOperators(predicate);
}

QVariantMap SearchRuleEditor::recordOfRow(int index) const {
    QVariantList subrules;
    for (int sub : subrowIndexes(index)) subrules.append(recordOfRow(sub));
    return {{RowTypeKey, rows_[index].type}, {ValuesKey, rows_[index].values}, {SubrulesKey, subrules}};
}

QVariantList SearchRuleEditor::searchRuleEditorState() const {
    QVariantList records;
    for (int index : subrowIndexes(-1)) records.append(recordOfRow(index));
    return records;
}

// The criteria a stored row names: titles are taken while they name an item
// of the level they stand at, control values are read as their control
// holds them; the first title that names nothing ends the row there.
QVariantList SearchRuleEditor::loadedValues(int type, const QVariantList& stored) {
    QVariantList values;
    if (type == CompoundRow) {
        if (V::compoundTitles().contains(titleAt(stored, 0))) values.append(titleAt(stored, 0));
        return values;
    }
    const QString field = titleAt(stored, 0);
    const std::optional<V::FieldKind> kind = V::fieldKind(field);
    if (!kind) return values;
    values.append(field);
    const QString op = titleAt(stored, 1);
    if (!V::operatorTitles(*kind).contains(op)) return values;
    values.append(op);
    const V::ValueTag tag = V::valueTag(field, op);
    if (tag == V::NoValue || stored.size() < 3) return values;
    values.append(controlValue(tag, stored[2]));
    if (tag == V::CountValue && V::unitTitles().contains(titleAt(stored, 3))) values.append(titleAt(stored, 3));
    return values;
}

void SearchRuleEditor::loadRecord(const QVariant& record, int parent, int depth) {
    if (depth > MaximumDepth || record.metaType().id() != QMetaType::QVariantMap) return;
    const QVariantMap map = record.toMap();
    const int type = map.value(RowTypeKey).toInt() == CompoundRow ? CompoundRow : SimpleRow;
    // Loading depth first appends each row right after its parent's rows so far.
    rows_.append(Row{type, loadedValues(type, map.value(ValuesKey).toList()), parent});
    const int index = numberOfRows() - 1;
    // A simple row has no subrows: the window could not show them.
    if (type != CompoundRow) return;
    for (const QVariant& sub : map.value(SubrulesKey).toList()) loadRecord(sub, index, depth + 1);
}

void SearchRuleEditor::setRuleEditorContent(const QVariantList& content) {
    doAdjustWindowSize_ = false;
    settingNewRuleEditorContent_ = true;
    rows_.clear();
    for (const QVariant& record : content) loadRecord(record, -1, 0);
    doAdjustWindowSize_ = true;
    adjustWindowSize();
    settingNewRuleEditorContent_ = false;
    controlDidChange();
}

void SearchRuleEditor::adjustWindowSize() {
    if (!doAdjustWindowSize_) return;
    if (rows_.isEmpty()) insertInitialContent();
    previousRowCount_ = numberOfRows();
}

void SearchRuleEditor::resetRules() {
    doAdjustWindowSize_ = false;
    settingNewRuleEditorContent_ = true;
    rows_.clear();
    insertInitialContent();
}

void SearchRuleEditor::initiateKeywordSearch() {
    host_.selectSearchTab();
    resetRules();
    runResetRules();
}

// The rules were replaced, not edited: the search must not carry the old
// typed text over into them, so the flag stays set until it has run.
void SearchRuleEditor::runResetRules() {
    doAdjustWindowSize_ = true;
    adjustWindowSize();
    controlDidChange();
    settingNewRuleEditorContent_ = false;
    host_.focusValueControlOfRow(1);
}

void SearchRuleEditor::initiateSearch(const QString& fieldTitle) {
    host_.selectSearchTab();
    resetRules();
    if (V::fieldTitles().contains(fieldTitle)) rows_[1].values[0] = fieldTitle;
    runResetRules();
}

void SearchRuleEditor::addKeywordToSearch(const QString& keyword) {
    if (!host_.addKeywordToBoxSearch()) initiateKeywordSearch();
    if (rows_.isEmpty()) insertInitialContent();
    for (Row& row : rows_) {
        if (row.type == SimpleRow && titleAt(row.values, 0) == KeywordField && row.values.size() > 2 &&
            row.values[2].toString().isEmpty()) {
            row.values[2] = keyword;
            controlDidChange();
            return;
        }
    }
    const int index = insertRow(SimpleRow, {KeywordField}, rows_[0].type == CompoundRow ? 0 : -1);
    rows_[index].values[2] = keyword;
    host_.focusValueControlOfRow(index);
    adjustWindowSize();
    controlDidChange();
}

void SearchRuleEditor::carryOverTypedValue() {
    const QVariantList answer = compareRuleEditorContent(searchRuleEditorState(), previousRuleEditorContent_, 0);
    const int changed = answer.value(0).toInt();
    if (changed < 0 || changed >= numberOfRows()) return;
    settingNewRuleEditorContent_ = true;
    Row& row = rows_[changed];
    const QVariant old = answer.value(1).toList().value(2);
    const V::ValueTag tag = V::valueTag(titleAt(row.values, 0), titleAt(row.values, 1));
    if (row.values.size() > 2 && old.isValid() && (tag != V::DateValue || V::dateValue(old).isValid()))
        row.values[2] = controlValue(tag, old);
    settingNewRuleEditorContent_ = false;
}

void SearchRuleEditor::controlDidChange() {
    const QVariantList state = searchRuleEditorState();
    if (state.isEmpty()) return;
    // The carry-over pairs the old and new records by position, so it holds
    // only while no row was added or removed: then the records pair up row by
    // row (this includes the first records having as many subrules). After a
    // removal the next row would be paired with the removed one and take its text.
    const QVariantList& previous = previousRuleEditorContent_;
    if (!previous.isEmpty() && !rows_.isEmpty() && !settingNewRuleEditorContent_ && haveSameRows(state, previous))
        carryOverTypedValue();

    const PredicatePtr rewritten = substituteKeywordsPredicateOperators(predicate());
    QList<SlipPtr> results;
    if (rewritten && rewritten->predicateFormat() == EmptyKeywordRule) {
        results = host_.boxData().slips().values();
    } else if (rewritten) {
        SlipSearch::Outcome outcome = search_.filter(host_.boxData(), rewritten);
        if (outcome.error) logLine(QStringLiteral("matches raised exception: %1").arg(*outcome.error));
        results = std::move(outcome.slips);
    }
    host_.setSearchResultsToSlips(results);
    // The rules as they now stand, carried-over text included, so that the
    // next change of operator carries it again.
    previousRuleEditorContent_ = searchRuleEditorState();
}

bool SearchRuleEditor::haveSameRows(const QVariantList& content, const QVariantList& otherContent) {
    if (content.size() != otherContent.size()) return false;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const QVariantMap a = content[i].toMap(), b = otherContent[i].toMap();
        if (a.value(RowTypeKey).toInt() != b.value(RowTypeKey).toInt() ||
            !haveSameRows(a.value(SubrulesKey).toList(), b.value(SubrulesKey).toList()))
            return false;
    }
    return true;
}

QVariantList SearchRuleEditor::compareRuleEditorContent(const QVariant& newContent, const QVariant& oldContent,
                                                        int row) {
    const QVariantList unchanged{-1, QVariantList()};
    if (newContent.metaType().id() != QMetaType::QVariantList || oldContent.metaType().id() != QMetaType::QVariantList)
        return unchanged;
    const QVariantList fresh = newContent.toList(), old = oldContent.toList();
    for (qsizetype i = 0; i < std::min(fresh.size(), old.size()); ++i) {
        if (fresh[i].metaType().id() != QMetaType::QVariantMap || old[i].metaType().id() != QMetaType::QVariantMap)
            return unchanged;
        const QVariantMap a = fresh[i].toMap(), b = old[i].toMap();
        if (a.value(RowTypeKey).toInt() == SimpleRow) {
            const QVariantList va = a.value(ValuesKey).toList(), vb = b.value(ValuesKey).toList();
            const QString field = titleAt(va, 0), op = titleAt(va, 1);
            if (field == titleAt(vb, 0) && op != titleAt(vb, 1) && field != u"flag" && op != V::WithinLast)
                return {row, QVariantList{field, op, vb.value(2)}};
            ++row;
            continue;
        }
        const QVariant subA = a.value(SubrulesKey), subB = b.value(SubrulesKey);
        if (subA.metaType().id() != QMetaType::QVariantList || subB.metaType().id() != QMetaType::QVariantList)
            return unchanged;
        return compareRuleEditorContent(subA, subB, row + 1);
    }
    return unchanged;
}

}  // namespace fendle
