#include "pagemeasure.h"

#include <QProcess>

namespace PageMeasure {

QImage rasterise(const QString& pdf, const QString& stem, int page) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(int(Dpi)), QStringLiteral("-gray"),
             QStringLiteral("-png"), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"), pdf,
             stem});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) return {};
    return QImage(stem + QStringLiteral(".png"));
}

QList<double> darkRunCentres(const QList<int>& greys) {
    QList<double> centres;
    double sum = 0, weighted = 0;
    for (qsizetype i = 0; i <= greys.size(); ++i) {
        const int g = i < greys.size() ? greys[i] : 255;
        if (g < 128) {
            sum += 255 - g;
            weighted += (i + 0.5) * (255 - g);
        } else if (sum > 0) {
            centres << weighted / sum;
            sum = weighted = 0;
        }
    }
    return centres;
}

QList<int> row(const QImage& image, int y) {
    QList<int> greys;
    for (int x = 0; x < image.width(); ++x)
        greys << qGray(image.pixel(x, y));
    return greys;
}

QList<int> column(const QImage& image, int x) {
    QList<int> greys;
    for (int y = 0; y < image.height(); ++y)
        greys << qGray(image.pixel(x, y));
    return greys;
}

QList<double> inMm(const QList<double>& px) {
    QList<double> mm;
    for (double p : px)
        mm << p / PxPerMm;
    return mm;
}

QList<double> acrossMm(const QImage& image, double yMm) {
    return inMm(darkRunCentres(row(image, int(yMm * PxPerMm))));
}

QList<double> downMm(const QImage& image, double xMm) {
    return inMm(darkRunCentres(column(image, int(xMm * PxPerMm))));
}

} // namespace PageMeasure
