// Renders an SVG to a PNG or JPEG of the given size with QtSvg (ImageMagick's own SVG
// renderer ignores gradients). The build uses it for the PNG icons (cmake/install.cmake):
//   QT_QPA_PLATFORM=offscreen build/render_svg in.svg out.png 64 64
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
