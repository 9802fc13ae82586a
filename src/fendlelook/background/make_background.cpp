// Draws the generator bundle's background image: a ruled index card,
// which thumbnails show faintly behind a slip's text.
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <cstdio>

namespace {

constexpr int Side = 800;
constexpr int HeaderLine = 96;
constexpr int LineSpacing = 32;

QImage indexCard() {
    QImage card(Side, Side, QImage::Format_RGB32);
    card.fill(QColor(0xfd, 0xf9, 0xec));
    QPainter painter(&card);
    painter.setPen(QPen(QColor(0x8e, 0xb8, 0xe0), 2));
    for (int y = HeaderLine + LineSpacing; y < Side; y += LineSpacing) painter.drawLine(0, y, Side, y);
    painter.setPen(QPen(QColor(0xd9, 0x5f, 0x5f), 3));
    painter.drawLine(0, HeaderLine, Side, HeaderLine);
    return card;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_background OUTPUT.tif\n");
        return 2;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[1]), "tiff");
    writer.setCompression(1);  // LZW
    if (!writer.write(indexCard())) {
        std::fprintf(stderr, "make_background: %s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
