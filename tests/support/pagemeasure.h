#pragma once
#include <QImage>
#include <QList>
#include <QString>

// Measuring printed pages: a PDF page rasterised with pdftoppm, the dark lines along a row
// or a column of it, in millimetres.
namespace PageMeasure {
constexpr double Dpi = 600.0;
constexpr double PxPerMm = Dpi / 25.4;

// Page (1-based) of pdf as a grey image at Dpi; stem is the output path without ".png".
QImage rasterise(const QString& pdf, const QString& stem, int page = 1);
// Centres of the dark runs along a line of grey values, in pixels, weighted by darkness.
QList<double> darkRunCentres(const QList<int>& greys);
QList<int> row(const QImage& image, int y);
QList<int> column(const QImage& image, int x);
QList<double> inMm(const QList<double>& px);
// Dark line centres across row y / down column x, where y and x are given in mm.
QList<double> acrossMm(const QImage& image, double yMm);
QList<double> downMm(const QImage& image, double xMm);
} // namespace PageMeasure
