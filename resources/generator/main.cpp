// Draws the committed artwork: horvane-artwork FOLDER writes dial.png, location-button.png and
// icons/horvane-SIZE.png into FOLDER.

#include "resources/generator/ArtworkFonts.h"
#include "resources/generator/DialDrawing.h"
#include "resources/generator/IconDrawing.h"
#include "resources/generator/LocationButtonDrawing.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

const int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool Save(const QImage& image, const QString& path) {
    if (image.save(path))
        return true;
    std::fprintf(stderr, "horvane-artwork: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: horvane-artwork FOLDER\n");
        return 2;
    }
    if (!horvane::LoadArtworkFonts())
        std::fprintf(stderr, "horvane-artwork: Tahoma not found, using DejaVu Sans\n");

    QDir folder(QString::fromLocal8Bit(argv[1]));
    bool saved = Save(horvane::DrawDial(), folder.filePath("dial.png")) &&
                 Save(horvane::DrawLocationButton(), folder.filePath("location-button.png"));
    folder.mkpath("icons");
    for (int size : kIconSizes)
        saved = saved && Save(horvane::DrawIcon(size),
                              folder.filePath(QString("icons/horvane-%1.png").arg(size)));
    return saved ? 0 : 1;
}
