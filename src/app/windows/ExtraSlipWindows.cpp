#include "app/windows/ExtraSlipWindows.h"

#include "app/windows/ExtraSlipWindow.h"
#include "app/windows/ExtraSlipWindowPlacement.h"
#include "document/Box.h"
#include "document/KeywordMaintenance.h"
#include "scents/AlternatingScentEntry.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace fendle {

ExtraSlipWindows::ExtraSlipWindows(Box& box, UiPort& ui, QWidget& boxWindow)
    : box_(box), ui_(ui), boxWindow_(boxWindow) {
    connect(&box_, &Box::windowRefreshed, this, &ExtraSlipWindows::updateExtraSlipWindowsToCurrentSlipState);
    connect(&box_, &Box::extraSlipWindowsMustClose, this, &ExtraSlipWindows::closeAllExtraSlipWindows);
    connect(&box_.document(), &BoxDocument::slipChanged, this, &ExtraSlipWindows::updateExtraSlipWindowsToCurrentSlipState);
    connect(&box_.document(), &BoxDocument::slipsChanged, this,
            &ExtraSlipWindows::updateExtraSlipWindowsToCurrentSlipState);
}

ExtraSlipWindows::~ExtraSlipWindows() {
    for (const auto& [number, window] : extraSlipWindowsOpen_)
        if (window) window->close();
}

QStringList ExtraSlipWindows::keysToOpen(Box& box) {
    const BoxTab tab = box.selectedTab();
    if (tab == BoxTab::AlternatingScent) {
        const auto& row = box.selectedAlternatingScentRow();
        if (!row || !row->isSlip) return {};
        return {AlternatingScentEntry::slipKeyOfLabel(row->label)};
    }
    box.storeCurrentSlip();
    if (tab == BoxTab::Slip) return box.currentSlip() ? QStringList{box.currentSlip()->key()} : QStringList();
    if (tab == BoxTab::Search) return box.selectedSearchResultKeys();
    return {};
}

void ExtraSlipWindows::openSelectedSlipsInExtraWindow() {
    QStringList keys;
    {
        UndoManager::EventScope event(box_.undoManager());
        keys = keysToOpen(box_);
    }
    for (const QString& key : keys) openExtraSlipWindow(key);
}

void ExtraSlipWindows::openFlaggedSlipsInExtraWindow() {
    for (const SlipPtr& slip : box_.box().flaggedSlips()) openExtraSlipWindow(slip->key());
}

ExtraSlipWindow* ExtraSlipWindows::openExtraSlipWindow(const QString& slipKey) {
    // A key the box does not hold (a stale selection) opens nothing.
    if (!box_.slip(slipKey)) return nullptr;
    const std::optional<QFont> font =
        plainTextFont_ ? plainTextFont_ : std::optional<QFont>(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* window = new ExtraSlipWindow(box_, ui_, slipKey, font, &boxWindow_);
    connect(window, &ExtraSlipWindow::toggleFlagged, this, &ExtraSlipWindows::toggleFlagged);
    connect(window, &ExtraSlipWindow::changeCurrentSlipRequestFromWindow, this,
            [this, window](const QString& key) { changeCurrentSlipRequestFromWindow(window, key); });
    connect(window, &ExtraSlipWindow::closeAllExtraSlipWindows, this, &ExtraSlipWindows::closeAllExtraSlipWindows);
    connect(window, &ExtraSlipWindow::arrangeExtraSlipWindows, this, &ExtraSlipWindows::arrangeExtraSlipWindows);

    const QScreen* screen = boxWindow_.screen() ? boxWindow_.screen() : QGuiApplication::primaryScreen();
    // A new cascade starts beside the box window, not over it.
    const QPoint start = nextPoint_->isNull() ? ExtraSlipWindowPlacement::besideWindow(
                                                    boxWindow_.frameGeometry(), window->frameGeometry().size(),
                                                    screen->availableGeometry())
                                              : *nextPoint_;
    const auto cascade = ExtraSlipWindowPlacement::cascade(start, window->pos(), window->frameGeometry().size(),
                                                           screen->availableGeometry());
    window->move(cascade.topLeft);
    *nextPoint_ = cascade.next;
    window->show();
    window->raise();
    window->activateWindow();
    extraSlipWindowsOpen_.emplace(window->windowNumber(), window);
    emit extraSlipWindowsChanged();
    return window;
}

void ExtraSlipWindows::changeCurrentSlipRequestFromWindow(ExtraSlipWindow* window, const QString& slipKey) {
    const SlipPtr slip = box_.slip(slipKey);
    if (!slip) return;
    {
        UndoManager::EventScope event(box_.undoManager());
        box_.changeCurrentSlip(slip, false);
    }
    window->close();
}

void ExtraSlipWindows::toggleFlagged(const QString& slipKey) {
    UndoManager::EventScope event(box_.undoManager());
    KeywordMaintenance(box_).toggleFlagged(slipKey);
}

void ExtraSlipWindows::closeAllExtraSlipWindows() {
    // Closing may reach this again (a window's own action): work on a copy.
    const auto windows = std::exchange(extraSlipWindowsOpen_, {});
    for (const auto& [number, window] : windows)
        if (window) window->close();
    emit extraSlipWindowsChanged();
}

void ExtraSlipWindows::arrangeExtraSlipWindows() {
    const QList<ExtraSlipWindow*> windows = openWindows();
    if (windows.isEmpty()) return;
    QList<QSize> sizes;
    for (const ExtraSlipWindow* window : windows) sizes.append(window->frameGeometry().size());
    const QScreen* screen = boxWindow_.screen() ? boxWindow_.screen() : QGuiApplication::primaryScreen();
    const QList<QPoint> corners = ExtraSlipWindowPlacement::arrange(sizes, screen->availableGeometry());
    for (qsizetype i = 0; i < windows.size(); ++i) windows.at(i)->move(corners.at(i));
}

void ExtraSlipWindows::updateExtraSlipWindowsToCurrentSlipState() {
    for (ExtraSlipWindow* window : openWindows()) window->updateWindow();
}

ExtraSlipWindow* ExtraSlipWindows::extraSlipWindowForNumber(int number) const {
    const auto found = extraSlipWindowsOpen_.find(number);
    if (found == extraSlipWindowsOpen_.end() || !found->second || found->second->isHidden()) return nullptr;
    return found->second.data();
}

QList<int> ExtraSlipWindows::extraSlipWindowsOpen() const {
    QList<int> numbers;
    for (const auto& [number, window] : extraSlipWindowsOpen_) numbers.append(number);
    return numbers;
}

QList<ExtraSlipWindow*> ExtraSlipWindows::openWindows() const {
    QList<ExtraSlipWindow*> windows;
    for (const auto& [number, window] : extraSlipWindowsOpen_)
        if (ExtraSlipWindow* found = extraSlipWindowForNumber(number)) windows.append(found);
    return windows;
}

}  // namespace fendle
