#include "app/views/RuleEditorWidget.h"

#include "app/program/ThemeIcons.h"
#include "document/Box.h"
#include "search/SearchRuleEditor.h"
#include "search/SearchVocabulary.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace fendle {

namespace V = SearchVocabulary;

namespace {
constexpr int IndentPerLevel = 20;
constexpr int FieldLevel = 0, OperatorLevel = 1, ValueLevel = 2, UnitLevel = 3;

QString titleAt(const QVariantList& values, int level) {
    return level < values.size() ? values[level].toString() : QString();
}
}  // namespace

RuleEditorWidget::RuleEditorWidget(Box& box, QWidget* parent) : QWidget(parent), box_(box) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    connect(&box_, &fendle::Box::searchResultsChanged, this, &RuleEditorWidget::refresh);
    rebuild();
}

SearchRuleEditor& RuleEditorWidget::rules() const { return box_.searchRuleEditor(); }

QList<RuleEditorWidget::ShownRow> RuleEditorWidget::rowsOfRules() const {
    QList<ShownRow> rows;
    for (int i = 0; i < rules().numberOfRows(); ++i) {
        const SearchRuleEditor::Row& row = rules().row(i);
        rows.append({row.type, row.values, row.parent});
    }
    return rows;
}

void RuleEditorWidget::refresh() {
    if (rowsOfRules() != shown_) rebuild();
}

void RuleEditorWidget::rebuild() {
    // The old lines may be inside the signal that led here: they go later.
    if (content_) {
        content_->hide();
        content_->deleteLater();
    }
    shown_ = rowsOfRules();
    lines_ = QList<Line>(shown_.size());
    content_ = new QWidget(this);
    auto* layout = new QVBoxLayout(content_);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    // The rules count their rows in display order: one line per row, in order.
    for (int row = 0; row < shown_.size(); ++row) layout->addWidget(makeLine(row, rules().depthOfRow(row)));
    layout->addStretch();
    layout_->addWidget(content_);
    content_->show();
}

QWidget* RuleEditorWidget::makeLine(int row, int depth) {
    auto* line = new QWidget(content_);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(depth * IndentPerLevel, 0, 0, 0);
    if (shown_[row].type == SearchRuleEditor::CompoundRow) addCompoundControls(*layout, row);
    else addSimpleControls(*layout, row);
    layout->addStretch();

    Line& controls = lines_[row];
    controls.remove = makeButton(QStringLiteral("−"), tr("Remove this rule"), {"list-remove"});
    // The top rule holds the search together; it stays while it is alone.
    const bool onlyTopRow = shown_[row].parent < 0 && rules().subrowIndexes(-1).size() == 1;
    controls.remove->setEnabled(!onlyTopRow);
    connect(controls.remove, &QAbstractButton::clicked, this, [this, row] { removeRule(row); });
    controls.add = makeButton(QStringLiteral("+"), tr("Add a rule"), {"list-add"});
    controls.add->setEnabled(rules().canAddRow(parentOfAddedRule(row)));
    connect(controls.add, &QAbstractButton::clicked, this, [this, row] { addRuleBelow(row, SearchRuleEditor::SimpleRow); });
    layout->addWidget(controls.remove);
    layout->addWidget(controls.add);
    if (shown_[row].type == SearchRuleEditor::CompoundRow) {
        controls.addCompound = makeButton(tr("Add Group"), tr("Add a group of rules"), {});
        // The group comes with its first rule, one level further in.
        controls.addCompound->setEnabled(rules().canAddRow(row) && depth + 1 < SearchRuleEditor::MaximumDepth);
        connect(controls.addCompound, &QAbstractButton::clicked, this,
                [this, row] { addRuleBelow(row, SearchRuleEditor::CompoundRow); });
        layout->addWidget(controls.addCompound);
    }
    return line;
}

void RuleEditorWidget::addCompoundControls(QLayout& line, int row) {
    line.addWidget(makePopUp(row, FieldLevel, V::compoundTitles(), titleAt(shown_[row].values, FieldLevel)));
    line.addWidget(new QLabel(tr("of the following are true"), content_));
}

void RuleEditorWidget::addSimpleControls(QLayout& line, int row) {
    const QVariantList& values = shown_[row].values;
    const QString field = titleAt(values, FieldLevel);
    line.addWidget(makePopUp(row, FieldLevel, V::fieldTitles(), field));
    const std::optional<V::FieldKind> kind = V::fieldKind(field);
    if (!kind) return;
    const QString op = titleAt(values, OperatorLevel);
    line.addWidget(makePopUp(row, OperatorLevel, V::operatorTitles(*kind), op));
    const V::ValueTag tag = V::valueTag(field, op);
    if (tag == V::NoValue) return;
    line.addWidget(makeValueControl(row, tag, values.value(ValueLevel)));
    if (tag == V::CountValue)
        line.addWidget(makePopUp(row, UnitLevel, V::unitTitles(), titleAt(values, UnitLevel)));
}

QComboBox* RuleEditorWidget::makePopUp(int row, int level, const QStringList& titles, const QString& current) {
    auto* popUp = new QComboBox(content_);
    popUp->addItems(titles);
    popUp->setCurrentIndex(static_cast<int>(titles.indexOf(current)));
    connect(popUp, &QComboBox::textActivated, this, [this, row, level](const QString& title) {
        // Choosing the title already there would start the later levels afresh.
        if (row < shown_.size() && titleAt(shown_[row].values, level) == title) return;
        rules().setCriterion(row, level, title);
        refresh();
    });
    lines_[row].popUps[level] = popUp;
    return popUp;
}

QWidget* RuleEditorWidget::makeValueControl(int row, int tag, const QVariant& value) {
    QWidget* control = nullptr;
    if (tag == V::DateValue) {
        auto* picker = new QDateTimeEdit(V::dateValue(value).toLocalTime(), content_);
        picker->setCalendarPopup(true);
        connect(picker, &QDateTimeEdit::dateTimeChanged, this,
                [this, row](const QDateTime& date) { valueEdited(row, date.toUTC()); });
        control = picker;
    } else {
        auto* field = new QLineEdit(value.toString(), content_);
        if (tag != V::TextValue) {
            field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,10}")), field));
            field->setMaximumWidth(80);
        }
        connect(field, &QLineEdit::textEdited, this, [this, row](const QString& text) { valueEdited(row, text); });
        control = field;
    }
    lines_[row].value = control;
    return control;
}

QAbstractButton* RuleEditorWidget::makeButton(const QString& text, const QString& toolTip, const QStringList& icon) {
    auto* button = new QToolButton(content_);
    button->setText(text);
    button->setToolTip(toolTip);
    button->setIcon(ThemeIcons::icon(icon));
    button->setToolButtonStyle(button->icon().isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    return button;
}

void RuleEditorWidget::valueEdited(int row, const QVariant& value) {
    if (row < shown_.size() && ValueLevel < shown_[row].values.size()) shown_[row].values[ValueLevel] = value;
    rules().setValue(row, ValueLevel, value);
    refresh();
}

int RuleEditorWidget::parentOfAddedRule(int row) const {
    // A simple row gets a sibling; a compound row gets a new subrow.
    return shown_[row].type == SearchRuleEditor::CompoundRow ? row : shown_[row].parent;
}

void RuleEditorWidget::addRuleBelow(int row, int type) {
    const int added = rules().addRow(type, parentOfAddedRule(row));
    if (added >= 0 && type == SearchRuleEditor::CompoundRow) rules().addRow(SearchRuleEditor::SimpleRow, added);
    refresh();
}

void RuleEditorWidget::removeRule(int row) {
    rules().removeRow(row);
    refresh();
}

QComboBox* RuleEditorWidget::popUp(int row, int level) const {
    if (row < 0 || row >= lines_.size() || level < 0 || level > UnitLevel) return nullptr;
    return lines_[row].popUps[level];
}

QWidget* RuleEditorWidget::valueControl(int row) const {
    return row >= 0 && row < lines_.size() ? lines_[row].value.data() : nullptr;
}

QAbstractButton* RuleEditorWidget::addButton(int row) const {
    return row >= 0 && row < lines_.size() ? lines_[row].add.data() : nullptr;
}

QAbstractButton* RuleEditorWidget::addCompoundButton(int row) const {
    return row >= 0 && row < lines_.size() ? lines_[row].addCompound.data() : nullptr;
}

QAbstractButton* RuleEditorWidget::removeButton(int row) const {
    return row >= 0 && row < lines_.size() ? lines_[row].remove.data() : nullptr;
}

void RuleEditorWidget::focusValueControlOfRow(int row) {
    refresh();
    if (QWidget* control = valueControl(row)) control->setFocus();
}

}  // namespace fendle
