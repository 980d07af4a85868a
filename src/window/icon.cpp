#include "window/icon.h"

namespace vantirelle {

QIcon gameIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vantirelle-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace vantirelle
