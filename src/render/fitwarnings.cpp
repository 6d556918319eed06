#include "render/fitwarnings.h"
#include "platform/interfacenumber.h"
#include "platform/stringtable.h"

#include <QPainter>

namespace {
thread_local FitCollector* current = nullptr;

enum FitStringId {
    StrFitHeader = 970,  // the header is cut
    StrFitFooter = 971,  // the footer is cut
    StrFitMargin = 972,  // the margin text is shortened
    StrFitText = 973,    // the free text runs past its area
    StrFitListing = 974, // %1 of %2 entries are not shown
    StrFitPicture = 975, // printed at %1 dpi
};

const char* kindName(FitKind kind) {
    switch (kind) {
    case FitKind::Header:
        return "header";
    case FitKind::Footer:
        return "footer";
    case FitKind::Margin:
        return "margin";
    case FitKind::Text:
        return "text";
    case FitKind::Listing:
        return "listing";
    case FitKind::Picture:
        return "picture";
    }
    return "";
}
} // namespace

FitCollector::FitCollector() : outer_(current) {
    current = this;
}

FitCollector::~FitCollector() {
    current = outer_;
}

void FitCollector::report(FitWarning warning) {
    if (!current) return;
    warning.side = current->side_;
    // A sheet with bleed draws the bands of a side twice; the second cut is the same one.
    for (const FitWarning& w : current->warnings_)
        if (w.side == warning.side && w.kind == warning.kind && w.hidden == warning.hidden &&
            w.total == warning.total && w.dpi == warning.dpi)
            return;
    current->warnings_.append(warning);
}

void FitCollector::setSide(int side) {
    if (current) current->side_ = side;
}

QString FitWarningText(const FitWarning& w, bool grouped) {
    const auto number = [grouped](int n) {
        return grouped ? InterfaceNumber(n) : QString::number(n);
    };
    switch (w.kind) {
    case FitKind::Header:
        return LadeText(StrFitHeader);
    case FitKind::Footer:
        return LadeText(StrFitFooter);
    case FitKind::Margin:
        return LadeText(StrFitMargin);
    case FitKind::Text:
        return LadeText(StrFitText);
    case FitKind::Listing:
        return LadeTextArg(StrFitListing, number(w.hidden), number(w.total));
    case FitKind::Picture:
        return LadeTextArg(StrFitPicture, QString::number(w.dpi));
    }
    return QString();
}

QString FitWarningsLine(const QList<FitWarning>& warnings) {
    QStringList texts;
    for (const FitWarning& w : warnings)
        texts.append(FitWarningText(w));
    texts.removeDuplicates();
    return texts.join(QStringLiteral(" · "));
}

QString FitWarningCliLine(const FitWarning& w) {
    QString text = FitWarningText(w, false);
    if (text.endsWith(u'.')) text.chop(1);
    return QStringLiteral("warning: side %1: %2: %3")
        .arg(w.side + 1)
        .arg(QLatin1String(kindName(w.kind)), text);
}

void DrawFitMarkers(QPainter& canvas, const QList<FitWarning>& warnings) {
    // 6 mm across: seen at every zoom, small enough to leave the content readable.
    constexpr int r = 30;
    canvas.save();
    for (const FitWarning& w : warnings) {
        const QPoint c = w.at;
        canvas.setPen(QPen(Qt::white, 3));
        canvas.setBrush(QColor(0xd0, 0x10, 0x10));
        canvas.drawEllipse(c, r, r);
        canvas.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
        canvas.drawLine(c.x(), c.y() - 17, c.x(), c.y() + 4);
        canvas.drawPoint(c.x(), c.y() + 15);
    }
    canvas.restore();
}
