// Writes the application icon as PNG files for installation: make_icons <folder>
// creates <folder>/<n>x<n>/apps/orvexcolors.png for every size of the hicolor theme
// the desktop asks for, 16 to 256 pixels.
#include <QDir>
#include <QString>
#include <cstdio>

#include "ui/pictures.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons <folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(folder) ||
            !orvex::iconImage(size).save(folder + "/orvexcolors.png", "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
