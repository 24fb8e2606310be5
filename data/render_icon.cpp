// Renders the program's SVG icon into a square PNG at build time:
//   kvis-render-icon ICON.svg SIZE OUT.png
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: kvis-render-icon ICON.svg SIZE OUT.png\n");
        return 64;
    }
    const int size = std::atoi(argv[2]);
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "svg");
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull() || image.width() != size || image.height() != size) {
        std::fprintf(stderr, "kvis-render-icon: cannot render %s at %d pixels: %s\n", argv[1], size,
                     qPrintable(reader.errorString()));
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(QFileInfo(out).path());
    if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "kvis-render-icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
