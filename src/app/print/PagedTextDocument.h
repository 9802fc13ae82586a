#pragma once
#include "platform/richtext/RichText.h"

#include <QtGlobal>
#include <functional>

class QPagedPaintDevice;
class QTextDocument;

namespace fendle {

// Rich text laid out on the pages of a printer or a PDF file.
class PagedTextDocument {
public:
    // The text on as many pages as it needs; a form feed starts a new page.
    // False when the device could not be started.
    static bool print(const RichText& text, QPagedPaintDevice& device);
    // Text i of count on page i alone; what does not fit the page is cut off.
    static bool printEachOnItsOwnPage(qsizetype count, const std::function<RichText(qsizetype)>& textAt,
                                      QPagedPaintDevice& device);

private:
    static void setUp(QTextDocument& document, const RichText& text);
    static void breakPagesAtFormFeeds(QTextDocument& document);
};

}  // namespace fendle
