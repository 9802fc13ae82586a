#pragma once
#include "io/PdfRenderer.h"

namespace fendle {

// PDF pages through Qt's PDF writer, with the margins of a print.
class QtPdfRenderer : public PdfRenderer {
public:
    Result<QByteArray> render(const RichText& text) override;
};

}  // namespace fendle
