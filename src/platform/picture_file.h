#pragma once
// A drawing saved as a picture file: SVG when the name ends in ".svg", PNG
// otherwise, on a white ground.
#include <QSize>
#include <QString>
#include <functional>

class QPainter;

namespace kvis {

// Runs `draw` on a painter over a picture of `size` and writes the picture to
// `path`, replacing the file only once the whole picture is written. False
// when the file could not be written.
bool writePicture(const QString& path, QSize size, const std::function<void(QPainter&)>& draw);

}  // namespace kvis
