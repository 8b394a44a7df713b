// Renders an icon drawn for one pixel size from its SVG into a PNG of that
// size, for the fixed-size folders of the hicolor theme:
//
//   apqr_icon_png <size> <drawing.svg> <icon.png>
//
// Fails when the drawing is not size × size pixels, or when one of its edges
// misses the pixel grid: drawn three times as large, every pixel must become
// a 3 × 3 block of its own colour, which a blurred edge never does.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kCheckScale = 3;

QImage render(const QString& path, int scale, int size) {
    QImageReader reader(path);
    reader.setScaledSize({size * scale, size * scale});
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// The first pixel whose block in the larger rendering has another colour,
// or an invalid point when the drawing keeps to the grid.
QPoint firstBlurredPixel(const QImage& image, const QImage& larger) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (int dy = 0; dy < kCheckScale; ++dy)
                for (int dx = 0; dx < kCheckScale; ++dx)
                    if (larger.pixel(x * kCheckScale + dx, y * kCheckScale + dy) !=
                        image.pixel(x, y))
                        return {x, y};
    return {-1, -1};
}

}  // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool isNumber = false;
    const int size = arguments.size() == 4 ? arguments[1].toInt(&isNumber) : 0;
    if (!isNumber || size <= 0) {
        std::fputs("usage: apqr_icon_png <size> <drawing.svg> <icon.png>\n", stderr);
        return EXIT_FAILURE;
    }
    const QString& svg = arguments[2];
    const QString& png = arguments[3];

    if (!QImageReader(svg).canRead()) {
        std::fprintf(stderr, "apqr_icon_png: cannot read %s (is Qt's SVG image plugin there?)\n",
                     qUtf8Printable(svg));
        return EXIT_FAILURE;
    }
    if (QImageReader(svg).size() != QSize(size, size)) {
        std::fprintf(stderr, "apqr_icon_png: %s is not drawn for %d x %d pixels\n",
                     qUtf8Printable(svg), size, size);
        return EXIT_FAILURE;
    }
    const QImage image = render(svg, 1, size);
    const QImage larger = render(svg, kCheckScale, size);
    if (const QPoint blurred = firstBlurredPixel(image, larger); blurred.x() >= 0) {
        std::fprintf(stderr, "apqr_icon_png: %s: an edge misses the pixel grid at (%d, %d)\n",
                     qUtf8Printable(svg), blurred.x(), blurred.y());
        return EXIT_FAILURE;
    }
    if (!image.save(png, "PNG")) {
        std::fprintf(stderr, "apqr_icon_png: cannot write %s\n", qUtf8Printable(png));
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
