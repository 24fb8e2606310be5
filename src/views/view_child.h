#pragma once
// Every result view opens 500 x 300 at its own place in the cascade, with its icon.
#include <QPoint>

#include "platform/window.h"

namespace kvis {

void placeView(TMDIChild& child, QPoint at, const char* icon);

}  // namespace kvis
