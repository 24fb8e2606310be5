#include "platform/picture_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace kvis {

namespace {

bool isSvg(const QString& path) { return QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0; }

}  // namespace

bool writePicture(const QString& path, QSize size, const std::function<void(QPainter&)>& draw) {
    if (size.isEmpty()) return false;
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (isSvg(path)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&bytes);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        QPainter painter(&svg);
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        draw(painter);
        painter.end();
    } else {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        draw(painter);
        painter.end();
        if (!image.save(&bytes, "PNG")) return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes.data()) != bytes.data().size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace kvis
