#pragma once
#include "platform/system/Result.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>

namespace fendle {

class Box;

// Autosaving: at the interval the preferences ask for, every box with
// unsaved changes is written to a copy of its own in the autosave folder,
// beside a small record naming the box's file. The copy goes once the box
// is saved or closed; a copy still there at the next start belongs to a box
// whose program ended without closing it. A failed autosave keeps the last
// good copy and tells the user once, on the box, until one succeeds again:
// the user should not believe the changes are safe when they are not.
class Autosaver : public QObject {
    Q_OBJECT
public:
    // A copy left by an earlier run, and the file of its box (none: untitled).
    static inline const QString AutosaveFailedMessage = QStringLiteral("The box could not be auto-saved");

    struct Leftover {
        QString copyPath;
        std::optional<QString> boxPath;
    };

    explicit Autosaver(QString folder);
    ~Autosaver() override;

    const QString& folder() const { return folder_; }
    // Seconds between autosaves; 0 stops them.
    void setDelay(qint64 seconds);
    qint64 delay() const { return delaySeconds_; }

    // Boxes under watch: a save or close removes their copy.
    void watch(const std::shared_ptr<Box>& box);
    void forget(const Box& box);
    // Writes every watched box with unsaved changes now.
    void autosaveAll();
    // The copy of a watched box, once written.
    std::optional<QString> copyOf(const Box& box) const;

    QList<Leftover> leftovers() const;
    // Removes a leftover copy and its record.
    void discard(const Leftover& leftover) const;

private:
    struct Watched {
        std::weak_ptr<Box> box;
        QString copyPath;
        bool failureShown = false;
    };
    QString folder_;
    QTimer timer_;
    qint64 delaySeconds_ = 0;
    std::map<const Box*, Watched> watched_;

    void autosave(Box& box, Watched& watched);
    Status writeCopy(Box& box, const QString& copyPath) const;
    void removeCopy(const QString& copyPath) const;
    static QString recordPathOf(const QString& copyPath);
};

}  // namespace fendle
