#pragma once
#include "app/views/DesktopSearchResultsModel.h"
#include "search/desktop/CacheFileIndex.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QTableView;
class QTextBrowser;

namespace fendle {

class UiPort;

// The program's own desktop search: a search field, the slips of all boxes
// whose cache files match, and the preview of the selected one. Opening a
// result opens its box at its slip, as opening the cache file does.
class DesktopSearchWindow : public QWidget {
    Q_OBJECT
public:
    class Host {
    public:
        virtual ~Host() = default;
        // Opens the box of the cache file at its slip, or says why not.
        virtual void openCacheFile(const QString& path) = 0;
    };

    DesktopSearchWindow(UiPort& ui, Host& host, QWidget* parent = nullptr);

    // Fills the search field and searches; false when the cache folder
    // cannot be read.
    bool search(const QString& query);
    // Opens the selected result.
    void openSelectedResult();

    QLineEdit* searchField() const { return field_; }
    QTableView* resultsTable() const { return table_; }
    QTextBrowser* preview() const { return preview_; }
    const DesktopSearchResultsModel& results() const { return model_; }

private:
    UiPort& ui_;
    Host& host_;
    CacheFileIndex index_;
    DesktopSearchResultsModel model_;
    QLineEdit* field_;
    QTableView* table_;
    QTextBrowser* preview_;
    QLabel* status_;

    // Searches again, keeping the selected slip selected where it is still found.
    bool runSearch();
    void showPreview();
    void updateStatus();
};

}  // namespace fendle
