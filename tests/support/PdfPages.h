#pragma once
#include <QByteArray>

namespace fendle::test {

// The number of pages of a PDF file written by Qt: its page tree's "/Count n".
inline int pdfPageCount(const QByteArray& pdf) {
    const qsizetype at = pdf.indexOf("/Count ");
    return at < 0 ? -1 : pdf.mid(at + 7, 8).split('\n').first().split(' ').first().split('/').first().toInt();
}

}  // namespace fendle::test
