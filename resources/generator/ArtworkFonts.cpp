#include "resources/generator/ArtworkFonts.h"

#include "platform/ui/WindowFonts.h"

namespace horvane {

bool LoadArtworkFonts() {
    return LoadTahomaFonts();
}

QFont ArtworkFont(int pixelSize, bool bold) {
    QFont font(WindowFontFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // The same glyphs on every run and every screen: full hinting, grey antialiasing.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(
        QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

} // namespace horvane
