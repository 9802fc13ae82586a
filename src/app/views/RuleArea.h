#pragma once
#include <QScrollArea>

namespace fendle {

// The scrolling frame of the search rules: as tall as its rules, up to a
// limit, then it scrolls, so a few rules leave the results the room and
// many rules are never cut off.
class RuleArea : public QScrollArea {
    Q_OBJECT
public:
    RuleArea(QWidget* rules, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // As tall as its rules (up to the limit), but as narrow as any scroll area.
    QSize minimumSizeHint() const override;
    // The tallest the area grows before it scrolls.
    int heightLimit() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace fendle
