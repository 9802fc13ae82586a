#pragma once
#include "platform/richtext/RichText.h"
#include "platform/system/Result.h"

#include <QByteArray>

namespace fendle {

// Lays rich text out on pages and answers the PDF file's bytes; a form
// feed starts a new page. The program provides it (it needs fonts).
class PdfRenderer {
public:
    virtual ~PdfRenderer() = default;
    virtual Result<QByteArray> render(const RichText& text) = 0;
};

}  // namespace fendle
