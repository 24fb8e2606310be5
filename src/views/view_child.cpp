#include "views/view_child.h"

#include "platform/icons.h"

namespace kvis {

void placeView(TMDIChild& child, QPoint at, const char* icon) {
    child.setGeometry(QRect(at, QSize(500, 300)));
    child.setWindowIcon(resourceIcon(QString::fromLatin1(icon)));
}

}  // namespace kvis
