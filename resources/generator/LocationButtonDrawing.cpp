#include "resources/generator/LocationButtonDrawing.h"

#include <QColor>

namespace horvane {
namespace {

constexpr int kWidth = 17;
constexpr int kHeight = 14;
const QColor kButtonGrey(192, 192, 192);

// The arrow's rows: row 4 is black in columns 4..12, each row below narrower by one pixel on
// each side, down to the single pixel of row 8.
constexpr int kArrowTopRow = 4;
constexpr int kArrowRows = 5;
constexpr int kArrowLeft = 4;
constexpr int kArrowRight = 12;

} // namespace

QImage DrawLocationButton() {
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    image.fill(kButtonGrey);
    for (int step = 0; step < kArrowRows; ++step)
        for (int column = kArrowLeft + step; column <= kArrowRight - step; ++column)
            image.setPixelColor(column, kArrowTopRow + step, Qt::black);
    return image;
}

} // namespace horvane
