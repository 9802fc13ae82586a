#pragma once
#include <QStringList>
#include <QVariant>

namespace fendle {

// A flat table over a plain list of scent objects, for a plain table view.
class SlipScentTable {
public:
    explicit SlipScentTable(QStringList scents = {}) : scents_(std::move(scents)) {}

    const QStringList& scents() const { return scents_; }
    void setScents(const QStringList& scents) { scents_ = scents; }
    qsizetype count() const { return scents_.size(); }
    // Empty when the row is out of range.
    QString scentAtIndex(qsizetype index) const { return scents_.value(index); }
    QString objectAtIndex(qsizetype index) const { return scentAtIndex(index); }
    qsizetype numberOfRows() const { return count(); }
    QVariant objectValueForRow(qsizetype row) const { return scentAtIndex(row); }

private:
    QStringList scents_;
};

}  // namespace fendle
