#include "scriptedprinter.h"
#include "platform/apperror.h"

ScriptedPrinter::ScriptedPrinter()
    : layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
             QPageLayout::Millimeter) {}

ScriptedPrinter::~ScriptedPrinter() {
    if (painter_.isActive()) painter_.end();
}

void ScriptedPrinter::setOrientation(QPageLayout::Orientation orientation) {
    layout.setOrientation(orientation);
}

QPainter& ScriptedPrinter::beginDoc() {
    if (failBeginAtJob == jobs_.size()) throw AppError(QStringLiteral("printer on fire"));
    jobs_.append(Job{title_, {Page{layout.orientation(), Recording()}}, false, false});
    device_ = std::make_unique<RecordingDevice>();
    painter_.begin(device_.get());
    active_ = true;
    return painter_;
}

void ScriptedPrinter::endPage() {
    painter_.end();
    jobs_.last().pages.last().picture = device_->recording();
}

void ScriptedPrinter::newPage() {
    if (!active_) return;
    endPage();
    jobs_.last().pages.append(Page{layout.orientation(), Recording()});
    device_ = std::make_unique<RecordingDevice>();
    painter_.begin(device_.get());
}

void ScriptedPrinter::finish(bool aborted) {
    endPage();
    jobs_.last().aborted = aborted;
    jobs_.last().ended = !aborted;
    active_ = false;
}

void ScriptedPrinter::endDoc() {
    if (!active_) return;
    processEvents(); // as the real one does while spooling
    if (active_) finish(false);
}

void ScriptedPrinter::abort() {
    if (active_) finish(true);
}

void ScriptedPrinter::processEvents() {
    ++processCalls_;
    if (onProcessEvents) onProcessEvents(int(jobs_.size()) - (active_ ? 1 : 0), active_);
}

QPrinter& ScriptedPrinter::device() {
    if (!dialogPrinter_) {
        dialogPrinter_ = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
        dialogPrinter_->setOutputFormat(QPrinter::PdfFormat);
    }
    return *dialogPrinter_;
}
