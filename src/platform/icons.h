#pragma once
// Icons and bitmaps by resource name ("ICN_KVIS", "BMP_NOWY", ...).
#include <QIcon>
#include <QString>

namespace kvis {

// The SVG of a resource name under :/icons ("ICN_KVIS" is kvis.svg); a null
// icon when the resource is missing.
QIcon resourceIcon(const QString& name);

}  // namespace kvis
