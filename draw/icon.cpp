#include "draw/icon.h"

#include <array>

namespace {
constexpr std::array kLargerSizes{48, 64, 128, 256};
}

QIcon TavloIcon()
{
    // The resources live in a static library: registering them here keeps the
    // linker from dropping them. Registering them again changes nothing.
    Q_INIT_RESOURCE(tavlo);

    QIcon icon(QStringLiteral(":/tavlo.xpm"));
    for (int size : kLargerSizes)
        icon.addFile(QStringLiteral(":/icons/tavlo-%1.png").arg(size), QSize(size, size));
    return icon;
}
