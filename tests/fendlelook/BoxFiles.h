#pragma once
#include "model/BoxFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace fendle::test {

// A box of slips 1, 2 and 3 whose texts and sources name them.
inline BoxData threeSlipBox() {
    BoxData box;
    for (quint32 number : {1u, 2u, 3u}) {
        SlipPtr slip = Slip::create(number);
        slip->setText(RichText(QStringLiteral("Slip number %1\nits text").arg(number)));
        slip->setSource(QStringLiteral("source %1").arg(number));
        box.setSlip(slip);
    }
    return box;
}

inline QString writeBox(const QTemporaryDir& dir, const QString& name, const BoxData& box) {
    const QString path = dir.filePath(name);
    const Status saved = BoxFile::writeToURL(box, path);
    EXPECT_TRUE(saved.ok()) << saved.error().toStdString();
    return path;
}

}  // namespace fendle::test
