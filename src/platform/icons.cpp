#include "platform/icons.h"

#include <QFile>

namespace kvis {

QIcon resourceIcon(const QString& name) {
    QString path = name == QLatin1String("ICN_KVIS") ? QStringLiteral(":/icons/kvis.svg")
                                                     : QStringLiteral(":/icons/%1.svg").arg(name);
    if (!QFile::exists(path)) return QIcon();
    return QIcon(path);
}

}  // namespace kvis
