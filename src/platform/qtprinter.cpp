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
constexpr int StrNoPrinter = 610; // no printer set up
constexpr int StrJobFailed = 611; // "%1": the spooler's reason
constexpr qint64 SpoolChunk = 64 * 1024;
// The options the print dialog leaves for CUPS (Qt's private key for them).
const auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QString queueOf(const QString& printerName) {
    return printerName.section(QLatin1Char('/'), 0, 0); // without the instance
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

QPageLayout QtPrinter::pageLayout() const {
    return printer_.pageLayout();
}

QPainter& QtPrinter::beginDoc() {
    aborted_ = false;
    const bool toFile = !printer_.outputFileName().isEmpty();
    if (!toFile) {
        if (printer_.outputFormat() != QPrinter::NativeFormat || printerName().isEmpty())
            throw AppError(LadeText(StrNoPrinter));
        // No ".pdf" suffix: that would turn the printer into a plain PDF writer and lose the
        // queue's printable area.
        QTemporaryFile file(QDir::tempPath() + QStringLiteral("/zarvex-job-XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open())
            throw AppError(LadeTextArg(StrJobFailed, printerName(), FileReason(file)));
        jobFile_ = file.fileName();
        printer_.setOutputFileName(jobFile_);
    }
    if (!painter_.begin(&printer_)) {
        dropJobFile();
        throw AppError(LadeTextArg(StrJobFailed, printerName(), QStringLiteral("QPrinter")));
    }
    state_ = State::Painting;
    return painter_;
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

// The options Qt itself would give the job, so the dialogs' settings still apply.
using Option = std::pair<QByteArray, QByteArray>;

static QList<Option> jobOptions(QPrinter& printer) {
    QList<Option> options;
    const QPageLayout layout = printer.pageLayout();
    options.append(Option{"media", layout.pageSize().key().toLocal8Bit()});
    if (printer.copyCount() > 1) {
        options.append(Option{"copies", QByteArray::number(printer.copyCount())});
        if (printer.collateCopies()) options.append(Option{"Collate", "True"});
    }
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        options.append(Option{"sides", "one-sided"});
        break;
    case QPrinter::DuplexAuto:
        options.append(Option{"sides", layout.orientation() == QPageLayout::Portrait
                                           ? "two-sided-long-edge"
                                           : "two-sided-short-edge"});
        break;
    case QPrinter::DuplexLongSide:
        options.append(Option{"sides", "two-sided-long-edge"});
        break;
    case QPrinter::DuplexShortSide:
        options.append(Option{"sides", "two-sided-short-edge"});
        break;
    }
    if (layout.orientation() == QPageLayout::Landscape) options.append(Option{"landscape", ""});
    const QStringList cups = printer.printEngine()->property(CupsOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < cups.size(); i += 2)
        options.append(Option{cups[i].toLocal8Bit(), cups[i + 1].toLocal8Bit()});
    return options;
}

void QtPrinter::spool(const QString& path) {
    QFile file(path);
    const QString name = printerName();
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(LadeTextArg(StrJobFailed, name, FileReason(file)));
    const QByteArray queue = queueOf(name).toLocal8Bit();
    const QByteArray title = printer_.docName().toLocal8Bit();
    const auto options = jobOptions(printer_);
    QList<cups_option_t> list;
    for (const auto& o : options)
        list.append(cups_option_t{const_cast<char*>(o.first.constData()),
                                  const_cast<char*>(o.second.constData())});
    auto failed = [&] {
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
