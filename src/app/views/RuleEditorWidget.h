#pragma once
#include <QList>
#include <QPointer>
#include <QVariantList>
#include <QWidget>

class QAbstractButton;
class QComboBox;
class QVBoxLayout;

namespace fendle {

class Box;
class SearchRuleEditor;

// The rule editor of the "Search" tab over the box's search rules: one line
// per rule, compound rows ("Any", "All", "None") with their subrows indented
// below them, simple rows with field, operator and value controls. Every
// change goes to the rules, which search again.
class RuleEditorWidget : public QWidget {
    Q_OBJECT
public:
    explicit RuleEditorWidget(Box& box, QWidget* parent = nullptr);

    // Rebuilds the lines when the rules differ from what they show.
    void refresh();

    // The controls of a rule row (row indexes as the rules count them, which
    // is the order of the lines from the top);
    // nullptr where that row has no such control.
    int numberOfRows() const { return static_cast<int>(lines_.size()); }
    // Level 0 the field or compound pop-up, 1 the operator, 3 the unit.
    QComboBox* popUp(int row, int level) const;
    QWidget* valueControl(int row) const;
    QAbstractButton* addButton(int row) const;
    QAbstractButton* addCompoundButton(int row) const;
    QAbstractButton* removeButton(int row) const;
    // Gives keyboard focus to a row's value control.
    void focusValueControlOfRow(int row);

private:
    struct ShownRow {
        int type = 0;
        QVariantList values;
        int parent = -1;
        friend bool operator==(const ShownRow&, const ShownRow&) = default;
    };
    struct Line {
        QPointer<QComboBox> popUps[4];
        QPointer<QWidget> value;
        QPointer<QAbstractButton> add, addCompound, remove;
    };

    Box& box_;
    QVBoxLayout* layout_;
    QPointer<QWidget> content_;
    QList<ShownRow> shown_;
    QList<Line> lines_;

    SearchRuleEditor& rules() const;
    QList<ShownRow> rowsOfRules() const;
    void rebuild();
    QWidget* makeLine(int row, int depth);
    void addCompoundControls(QLayout& line, int row);
    void addSimpleControls(QLayout& line, int row);
    QComboBox* makePopUp(int row, int level, const QStringList& titles, const QString& current);
    QWidget* makeValueControl(int row, int tag, const QVariant& value);
    // A small button: the theme icon when there is one, else its text.
    QAbstractButton* makeButton(const QString& text, const QString& toolTip, const QStringList& icon);
    // A value typed into a control: the rules take it, the shown copy too,
    // so the line being typed in stays.
    void valueEdited(int row, const QVariant& value);
    int parentOfAddedRule(int row) const;
    void addRuleBelow(int row, int type);
    void removeRule(int row);
};

}  // namespace fendle
