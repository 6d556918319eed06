#pragma once
#include "render/fitwarnings.h"
#include "render/recording.h"

#include <functional>
#include <QWidget>

class QPainter;

// The small preview of the format and content dialogs: a drawing recorded at 10 units per
// millimetre and painted at 2 pixels per millimetre with a 10-pixel margin on white.
class DialogPreview : public QWidget {
    Q_OBJECT
public:
    explicit DialogPreview(QWidget* parent = nullptr);

    // Records what draw paints (canvas units, 0.1 mm) as the new preview picture and
    // repaints at once. What the drawing had to cut is marked in the picture and named
    // below it.
    void render(const std::function<void(QPainter&)>& draw);
    const Recording& picture() const { return picture_; }
    const QList<FitWarning>& fitWarnings() const { return fitWarnings_; }
    // A line about the content shown at the foot of the preview (empty: none).
    void setNote(const QString& note);
    // The note and the warnings, one per line, as painted.
    QString footText() const;
    void clear();
    // A drawing larger than the box is drawn smaller so that it fits, margins included.
    void setFitToBox(bool fit) { fitToBox_ = fit; }
    // Pixels per canvas unit the picture is painted at (0.2 unless made smaller to fit).
    double paintScale() const;
    // Pixels per canvas unit: 0.2 (2 pixels per millimetre) unless a larger box asks for more.
    void setScale(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString warningLines() const;
    Recording picture_;
    bool fitToBox_ = false;
    QList<FitWarning> fitWarnings_;
    QString note_;
    double scale_ = 0.2;
};
