#pragma once
#include <QObject>

class QSocketNotifier;

namespace fendle {

// SIGTERM and SIGINT (logout, Ctrl+C in a terminal) become a quit as from
// the menu: boxes close in order and their cache files are written. The
// handler only writes a byte to a pipe; the quit runs on the event loop.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace fendle
