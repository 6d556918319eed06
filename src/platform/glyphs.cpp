#include "platform/glyphs.h"

#include <functional>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
const QColor kInk(0x33, 0x3d, 0x4d);
const QColor kPaper(0xfb, 0xfb, 0xf8);
const QColor kFolder(0xe8, 0xb8, 0x4a);
const QColor kBlue(0x4a, 0x78, 0xb8);
const QColor kRed(0xc0, 0x3a, 0x30);
const QColor kBrass(0xd9, 0xa8, 0x2e);

void page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    const qreal fold = r.width() * 0.3;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawPolyline(QPolygonF{{r.right() - fold, r.top()},
                             {r.right() - fold, r.top() + fold},
                             {r.right(), r.top() + fold}});
}

void folder(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top() + 2);
    path.lineTo(r.left() + 6, r.top() + 2);
    path.lineTo(r.left() + 8, r.top() + 4);
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(kFolder);
    p.drawPath(path);
}

void magnifier(QPainter& p, bool plus) {
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(3, 3, 11, 11));
    p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 13), QPointF(18, 18));
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(6, 8.5), QPointF(11, 8.5));
    if (plus) p.drawLine(QPointF(8.5, 6), QPointF(8.5, 11));
}

void drawTool(QPainter& p, ToolGlyph g) {
    p.setPen(QPen(kInk, 1.2));
    switch (g) {
    case ToolGlyph::New:
        page(p, QRectF(4.5, 2.5, 12, 16));
        break;
    case ToolGlyph::Open:
        folder(p, QRectF(2.5, 4.5, 16, 12));
        p.setBrush(QColor(0xf6, 0xd7, 0x7c));
        p.drawPolygon(QPolygonF{{2.5, 16.5}, {6, 9.5}, {20, 9.5}, {16.5, 16.5}});
        break;
    case ToolGlyph::Save:
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(3.5, 3.5, 14, 14), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 3.5, 8, 5));
        p.drawRect(QRectF(6, 11.5, 9, 6));
        break;
    case ToolGlyph::Print:
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 2.5, 8, 6));
        p.setBrush(QColor(0x9a, 0xa4, 0xb4));
        p.drawRoundedRect(QRectF(2.5, 7.5, 16, 7), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 12.5, 8, 6));
        break;
    case ToolGlyph::Directory:
        folder(p, QRectF(2.5, 2.5, 9, 7));
        folder(p, QRectF(9.5, 11.5, 9, 7));
        p.drawPolyline(QPolygonF{{5, 9.5}, {5, 15}, {9.5, 15}});
        break;
    case ToolGlyph::Text:
        page(p, QRectF(4.5, 2.5, 12, 16));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(7, 8.5 + 2.5 * i), QPointF(i == 3 ? 11 : 14, 8.5 + 2.5 * i));
        break;
    case ToolGlyph::Picture:
        p.setBrush(QColor(0xcf, 0xe6, 0xf7));
        p.drawRect(QRectF(2.5, 4.5, 16, 13));
        p.setBrush(QColor(0x5a, 0x9a, 0x4a));
        p.drawPolygon(QPolygonF{{2.5, 17.5}, {8, 10}, {12, 14.5}, {14.5, 12}, {18.5, 17.5}});
        p.setBrush(QColor(0xf2, 0xc1, 0x3a));
        p.drawEllipse(QRectF(13, 6, 3.5, 3.5));
        break;
    case ToolGlyph::ZoomIn:
        magnifier(p, true);
        break;
    case ToolGlyph::ZoomOut:
        magnifier(p, false);
        break;
    case ToolGlyph::Add:
        p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10.5, 4), QPointF(10.5, 17));
        p.drawLine(QPointF(4, 10.5), QPointF(17, 10.5));
        break;
    case ToolGlyph::PrintPreview: // a page under a magnifying glass
        page(p, QRectF(2.5, 2.5, 12, 16));
        p.translate(4, 4);
        magnifier(p, false);
        break;
    }
}

void sheet(QPainter& p, const QRectF& r) {
    p.setBrush(kPaper);
    p.drawRect(r);
}

void lock(QPainter& p, bool open) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 1.6));
    QPainterPath shackle;
    shackle.moveTo(7, 10);
    shackle.lineTo(7, 7);
    shackle.arcTo(QRectF(7, 3, 7, 8), 180, -180);
    shackle.lineTo(14, open ? 6 : 10);
    if (open) shackle.translate(4, -1);
    p.drawPath(shackle);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kBrass);
    p.drawRoundedRect(QRectF(4.5, 9.5, 12, 9), 1.5, 1.5);
    p.drawLine(QPointF(10.5, 12.5), QPointF(10.5, 15.5));
}

void drawEdit(QPainter& p, EditGlyph g) {
    p.setPen(QPen(kInk, 1.2));
    switch (g) {
    case EditGlyph::Load: {
        QPainterPath path;
        path.moveTo(2.5, 6.5);
        path.lineTo(8.5, 6.5);
        path.lineTo(10.5, 8.5);
        path.lineTo(18.5, 8.5);
        path.lineTo(18.5, 16.5);
        path.lineTo(2.5, 16.5);
        path.closeSubpath();
        p.setBrush(kFolder);
        p.drawPath(path);
        p.setBrush(QColor(0xf6, 0xd7, 0x7c));
        p.drawPolygon(QPolygonF{{2.5, 16.5}, {6, 10.5}, {20, 10.5}, {16.5, 16.5}});
        break;
    }
    case EditGlyph::Save:
        drawTool(p, ToolGlyph::Save);
        break;
    case EditGlyph::ReadOnly:
        lock(p, false);
        break;
    case EditGlyph::Unlock:
        lock(p, true);
        break;
    case EditGlyph::Cut:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kInk, 1.4));
        p.drawLine(QPointF(7, 3), QPointF(13.5, 13));
        p.drawLine(QPointF(14, 3), QPointF(7.5, 13));
        p.setPen(QPen(kRed, 1.6));
        p.drawEllipse(QRectF(3.5, 12.5, 5, 5));
        p.drawEllipse(QRectF(12.5, 12.5, 5, 5));
        break;
    case EditGlyph::Copy:
        sheet(p, QRectF(3.5, 2.5, 9, 11));
        sheet(p, QRectF(8.5, 7.5, 9, 11));
        break;
    case EditGlyph::Paste:
        p.setBrush(kBrass);
        p.drawRoundedRect(QRectF(3.5, 4.5, 12, 14), 1.5, 1.5);
        p.setBrush(QColor(0x9a, 0xa4, 0xb4));
        p.drawRect(QRectF(6.5, 2.5, 6, 3));
        sheet(p, QRectF(9.5, 9.5, 9, 10));
        break;
    case EditGlyph::Delete:
        p.setPen(QPen(kRed, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(16, 16));
        p.drawLine(QPointF(16, 5), QPointF(5, 16));
        break;
    case EditGlyph::SelectAll:
        sheet(p, QRectF(3.5, 3.5, 14, 14));
        p.setPen(QPen(kBlue, 1.2, Qt::DashLine));
        p.setBrush(QColor(0xcf, 0xe0, 0xf5));
        p.drawRect(QRectF(6.5, 6.5, 8, 8));
        break;
    case EditGlyph::Close: {
        p.setBrush(QColor(0x9a, 0x6a, 0x3a));
        p.drawRect(QRectF(4.5, 2.5, 9, 16));
        p.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 10.5), QPointF(19, 10.5));
        p.drawLine(QPointF(16.5, 8), QPointF(19, 10.5));
        p.drawLine(QPointF(16.5, 13), QPointF(19, 10.5));
        break;
    }
    }
}

QIcon glyphIcon(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pix(21 * scale, 21 * scale);
        pix.fill(Qt::transparent);
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p);
        p.end();
        pix.setDevicePixelRatio(scale);
        icon.addPixmap(pix);
        // A disabled command shows its glyph faded, as the toolkit would.
        QPixmap faded(pix.size());
        faded.fill(Qt::transparent);
        faded.setDevicePixelRatio(scale);
        QPainter f(&faded);
        f.setOpacity(0.35);
        f.drawPixmap(0, 0, pix);
        f.end();
        icon.addPixmap(faded, QIcon::Disabled);
    }
    return icon;
}

} // namespace

QIcon toolGlyph(ToolGlyph glyph) {
    return glyphIcon([glyph](QPainter& p) { drawTool(p, glyph); });
}

QIcon editGlyph(EditGlyph glyph) {
    return glyphIcon([glyph](QPainter& p) { drawEdit(p, glyph); });
}
