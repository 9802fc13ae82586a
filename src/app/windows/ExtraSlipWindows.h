#pragma once
#include <QFont>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <map>
#include <optional>

class QWidget;

namespace fendle {

class Box;
class ExtraSlipWindow;
class UiPort;

// The extra slip windows a box window opened. A window's number stays in
// the set until all are closed together, also after the window was closed
// on its own; such a number simply finds no window any more. The windows
// follow the box's slips as they change.
class ExtraSlipWindows : public QObject {
    Q_OBJECT
public:
    ExtraSlipWindows(Box& box, UiPort& ui, QWidget& boxWindow);
    ~ExtraSlipWindows() override;

    // "PlainTextFont" of the fields; the platform's fixed font without it.
    void setPlainTextFont(const std::optional<QFont>& font) { plainTextFont_ = font; }
    // Where the next window cascades from; the program's shared point when set.
    void setNextExtraWindowPoint(QPoint* point) { nextPoint_ = point ? point : &ownPoint_; }

    // The keys the selected tab offers for opening. Every tab but
    // "Alternating Scent" stores the current slip first.
    static QStringList keysToOpen(Box& box);

    void openSelectedSlipsInExtraWindow();
    void openFlaggedSlipsInExtraWindow();
    ExtraSlipWindow* openExtraSlipWindow(const QString& slipKey);
    void closeAllExtraSlipWindows();
    void arrangeExtraSlipWindows();
    void updateExtraSlipWindowsToCurrentSlipState();
    // The open window with that number; none once it was closed.
    ExtraSlipWindow* extraSlipWindowForNumber(int number) const;
    bool hasExtraSlipWindows() const { return !extraSlipWindowsOpen_.empty(); }
    QList<int> extraSlipWindowsOpen() const;
    // The windows still open, in set order.
    QList<ExtraSlipWindow*> openWindows() const;

signals:
    // The set changed: the menus and toolbar look again.
    void extraSlipWindowsChanged();

private:
    Box& box_;
    UiPort& ui_;
    QWidget& boxWindow_;
    std::optional<QFont> plainTextFont_;
    QPoint ownPoint_;
    QPoint* nextPoint_ = &ownPoint_;
    std::map<int, QPointer<ExtraSlipWindow>> extraSlipWindowsOpen_;

    void changeCurrentSlipRequestFromWindow(ExtraSlipWindow* window, const QString& slipKey);
    void toggleFlagged(const QString& slipKey);
};

}  // namespace fendle
