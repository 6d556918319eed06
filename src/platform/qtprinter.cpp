#include "platform/qtprinter.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"
#include "platform/systemreason.h"

#include <cups/cups.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPrintEngine>
#include <QTemporaryFile>

namespace {
constexpr int StrNoPrinter = 610;   // no printer set up
constexpr int StrJobFailed = 611;   // "%1": the spooler's reason
constexpr int StrPrinterGone = 750; // "%1" no longer exists
constexpr qint64 SpoolChunk = 64 * 1024;
// The options the print dialog leaves for CUPS (Qt's private key for them).
const auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QString queueOf(const QString& printerName) {
    return printerName.section(QLatin1Char('/'), 0, 0); // without the instance
}

bool queueExists(const QByteArray& queue) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    cupsFreeDests(dest ? 1 : 0, dest);
    return dest != nullptr;
}

// Options of the dialogs that would put a sheet anywhere but at 1:1 on a page of its own.
bool scalesOrMovesPages(const QByteArray& name) {
    static const QByteArrayList options = {
        "number-up",   "number-up-layout", "fit-to-page", "fitplot",   "print-scaling",
        "scaling",     "natural-scaling",  "ppi",         "landscape", "orientation-requested",
        "page-border", "mirror",           "position",    "page-left", "page-right",
        "page-top",    "page-bottom"};
    return options.contains(name.toLower());
}
} // namespace

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter() {
    if (printing()) abort();
}

QString QtPrinter::printerName() const {
    return printer_.printerName();
}

void QtPrinter::setDocName(const QString& title) {
    printer_.setDocName(title);
}

void QtPrinter::setOrientation(QPageLayout::Orientation orientation) {
    printer_.setPageOrientation(orientation);
}

QMarginsF QtPrinter::printableMargins() const {
    const QPageLayout current = printer_.pageLayout();
    // The queue's imageable area as Qt's print device reads it, given for upright paper.
    const QPageLayout upright(current.pageSize(), QPageLayout::Portrait, current.minimumMargins(),
                              current.units());
    const QMarginsF m = upright.margins(QPageLayout::Point);
    // A landscape page lies on the paper turned a quarter anticlockwise: its left edge is
    // the paper's bottom edge.
    if (current.orientation() == QPageLayout::Landscape)
        return QMarginsF(m.bottom(), m.left(), m.top(), m.right());
    return m;
}

QPageLayout QtPrinter::pageLayout() const {
    const QPageLayout current = printer_.pageLayout();
    return QPageLayout(current.pageSize(), current.orientation(), printableMargins(),
                       QPageLayout::Point);
}

// The painter's origin at the printable area's corner of the whole page.
void QtPrinter::startPage() {
    const QMarginsF m = printableMargins();
    painter_.resetTransform();
    painter_.translate(m.left() * printer_.logicalDpiX() / 72.0,
                       m.top() * printer_.logicalDpiY() / 72.0);
    pages_.append(printer_.pageLayout().orientation());
}

QPainter& QtPrinter::beginDoc() {
    aborted_ = false;
    pages_.clear();
    const bool toFile = !printer_.outputFileName().isEmpty();
    if (!toFile) {
        if (printer_.outputFormat() != QPrinter::NativeFormat || printerName().isEmpty())
            throw AppError(LadeText(StrNoPrinter));
        if (!queueExists(queueOf(printerName()).toLocal8Bit()))
            throw AppError(LadeTextArg(StrPrinterGone, printerName()));
        // No ".pdf" suffix: that would turn the printer into a plain PDF writer and lose the
        // queue's printable area.
        QTemporaryFile file(QDir::tempPath() + QStringLiteral("/zarvex-job-XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open())
            throw AppError(LadeTextArg(StrJobFailed, printerName(), FileReason(file)));
        jobFile_ = file.fileName();
        printer_.setOutputFileName(jobFile_);
    }
    printer_.setFullPage(true); // the page's origin at the paper's corner; see startPage
    if (!painter_.begin(&printer_)) {
        dropJobFile();
        throw AppError(LadeTextArg(StrJobFailed, printerName(), QStringLiteral("QPrinter")));
    }
    state_ = State::Painting;
    startPage();
    return painter_;
}

void QtPrinter::newPage() {
    if (state_ != State::Painting) return;
    if (!printer_.newPage())
        throw AppError(LadeTextArg(StrJobFailed, printerName(), QStringLiteral("QPrinter")));
    startPage();
}

void QtPrinter::dropJobFile() {
    if (jobFile_.isEmpty()) return;
    printer_.setOutputFileName(QString());
    QFile::remove(jobFile_);
    jobFile_.clear();
}

void QtPrinter::endDoc() {
    if (state_ != State::Painting) return;
    painter_.end();
    if (jobFile_.isEmpty()) { // printed into the user's file
        state_ = State::Idle;
        return;
    }
    const QString file = jobFile_;
    printer_.setOutputFileName(QString());
    state_ = State::Spooling;
    try {
        spool(file);
    } catch (...) {
        state_ = State::Idle;
        QFile::remove(file);
        jobFile_.clear();
        throw;
    }
    state_ = State::Idle;
    QFile::remove(file);
    jobFile_.clear();
}

// The options Qt itself would give the job, so the dialogs' settings still apply, except
// those that would scale a sheet or put several on one page.
using Option = std::pair<QByteArray, QByteArray>;

QList<Option> QtPrinter::jobOptions() {
    QList<Option> options;
    const QPageLayout layout = printer_.pageLayout();
    options.append(Option{"media", layout.pageSize().key().toLocal8Bit()});
    if (printer_.copyCount() > 1) {
        options.append(Option{"copies", QByteArray::number(printer_.copyCount())});
        if (printer_.collateCopies()) options.append(Option{"Collate", "True"});
    }
    const bool landscape = !pages_.isEmpty() && pages_.first() == QPageLayout::Landscape;
    switch (printer_.duplex()) {
    case QPrinter::DuplexNone:
        options.append(Option{"sides", "one-sided"});
        break;
    case QPrinter::DuplexAuto:
        options.append(Option{"sides", landscape ? "two-sided-short-edge" : "two-sided-long-edge"});
        break;
    case QPrinter::DuplexLongSide:
        options.append(Option{"sides", "two-sided-long-edge"});
        break;
    case QPrinter::DuplexShortSide:
        options.append(Option{"sides", "two-sided-short-edge"});
        break;
    }
    const QStringList cups = printer_.printEngine()->property(CupsOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < cups.size(); i += 2) {
        const QByteArray name = cups[i].toLocal8Bit();
        if (!scalesOrMovesPages(name)) options.append(Option{name, cups[i + 1].toLocal8Bit()});
    }
    // Each page is as large as the paper and lies in its sheet's orientation: nothing to fit,
    // one page per side of paper.
    options.append(Option{"number-up", "1"});
    options.append(Option{"fit-to-page", "false"});
    options.append(Option{"print-scaling", "none"});
    const bool allLandscape = landscape && !pages_.contains(QPageLayout::Portrait);
    options.append(Option{"orientation-requested", allLandscape ? "4" : "3"});
    return options;
}

void QtPrinter::spool(const QString& path) {
    QFile file(path);
    const QString name = printerName();
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(LadeTextArg(StrJobFailed, name, FileReason(file)));
    const QByteArray queue = queueOf(name).toLocal8Bit();
    const QByteArray title = printer_.docName().toLocal8Bit();
    const auto options = jobOptions();
    QList<cups_option_t> list;
    for (const auto& o : options)
        list.append(cups_option_t{const_cast<char*>(o.first.constData()),
                                  const_cast<char*>(o.second.constData())});
    auto failed = [&] {
        if (!queueExists(queue)) return AppError(LadeTextArg(StrPrinterGone, name));
        return AppError(
            LadeTextArg(StrJobFailed, name, QString::fromLocal8Bit(cupsLastErrorString())));
    };
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), title.constData(),
                                  int(list.size()), list.isEmpty() ? nullptr : list.data());
    if (job <= 0) throw failed();
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job, title.constData(),
                          CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE) {
        const AppError error = failed();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
        throw error;
    }
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(SpoolChunk);
        if (chunk.isEmpty() || cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk.constData(),
                                                    size_t(chunk.size())) != HTTP_STATUS_CONTINUE) {
            const AppError error = failed();
            cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData());
            cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
            throw error;
        }
        processEvents();
        if (aborted_) break;
    }
    const ipp_status_t status = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData());
    if (aborted_) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
        return;
    }
    if (status > IPP_STATUS_OK_EVENTS_COMPLETE) throw failed();
}

void QtPrinter::abort() {
    aborted_ = true;
    if (state_ == State::Painting) {
        painter_.end();
        dropJobFile();
        state_ = State::Idle;
    }
    // While spooling, the sending loop cancels the job at the spooler.
    if (state_ == State::Spooling) state_ = State::Idle;
}

void QtPrinter::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
