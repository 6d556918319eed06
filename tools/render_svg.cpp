// Renders an SVG to a PNG or JPEG of the given size with QtSvg (ImageMagick's own SVG
// renderer ignores gradients). Not part of the build; compile by hand:
//   g++ -std=c++20 -fPIC tools/render_svg.cpp -o /tmp/render_svg \
//       $(pkg-config --cflags --libs Qt6Svg Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/render_svg in.svg out.png 64 64
#include <cstdio>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: render_svg in.svg out.(png|jpg) width height\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) return 1;
    const QString out = QString::fromLocal8Bit(argv[2]);
    const bool jpeg = out.endsWith(".jpg", Qt::CaseInsensitive);
    QImage img(QString(argv[3]).toInt(), QString(argv[4]).toInt(), QImage::Format_ARGB32);
    img.fill(jpeg ? Qt::white : Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    return img.save(out, nullptr, jpeg ? 92 : -1) ? 0 : 1;
}
