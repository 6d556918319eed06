#pragma once
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
    // repaints at once.
    void render(const std::function<void(QPainter&)>& draw);
    const Recording& picture() const { return picture_; }
    void clear();
    // Pixels per canvas unit: 0.2 (2 pixels per millimetre) unless a larger box asks for more.
    void setScale(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Recording picture_;
    double scale_ = 0.2;
};
