#include "resources/Artwork.h"

#include "resources/generator/ArtworkFonts.h"
#include "resources/generator/DialDrawing.h"
#include "resources/generator/IconDrawing.h"

#include <QPixmap>
#include <QString>

// Q_INIT_RESOURCE must be used outside a namespace. Calling it before each use keeps the
// pictures of this static library from being dropped by the linker.
static void InitArtworkResources() {
    Q_INIT_RESOURCE(artwork);
}

namespace horvane {
namespace {

const int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
const int kPanelIconSizes[] = {16, 22, 24, 32, 48, 64};

QImage LoadPicture(const char* path) {
    InitArtworkResources();
    return QImage(QString::fromUtf8(path));
}

} // namespace

QImage DialArtwork() {
    return LoadPicture(":/horvane/dial.png");
}

QImage DialArtwork(double scale) {
    if (scale == 1)
        return DialArtwork();
    LoadArtworkFonts();
    return DrawDial(scale);
}

QImage LocationButtonPicture() {
    return LoadPicture(":/horvane/location-button.png");
}

QIcon WindowIcon() {
    InitArtworkResources();
    QIcon icon;
    for (int size : kIconSizes)
        icon.addFile(QStringLiteral(":/horvane/icons/horvane-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon SkyIcon(const SkyPicture& sky) {
    QIcon icon;
    for (int size : kPanelIconSizes)
        icon.addPixmap(QPixmap::fromImage(DrawSkyIcon(sky, size)));
    return icon;
}

} // namespace horvane
