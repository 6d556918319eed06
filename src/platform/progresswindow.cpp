#include "platform/progresswindow.h"

#include <memory>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace {
constexpr int RefreshMs = 50;
} // namespace

bool RunWithProgressWindow(QWidget* parent, const QString& title, BackgroundWork& work,
                           ProgressWindowStats* stats) {
    ProgressWindowStats local;
    ProgressWindowStats& s = stats ? *stats : local;
    QElapsedTimer clock;
    clock.start();
    qint64 cancelledAt = -1;

    QProgressDialog dlg(parent);
    dlg.setWindowTitle(title);
    dlg.setWindowModality(Qt::ApplicationModal);
    dlg.setRange(0, 0); // the total is not known before the end
    dlg.setAutoClose(false);
    dlg.setAutoReset(false);
    dlg.setMinimumWidth(420);
    dlg.setLabelText(work.progressText());

    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&work] { work.run(); }));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    QObject::connect(&dlg, &QProgressDialog::canceled, &loop, [&] {
        if (cancelledAt < 0) {
            cancelledAt = clock.elapsed();
            work.cancel();
        }
    });
    QTimer refresh;
    refresh.setInterval(RefreshMs);
    QObject::connect(&refresh, &QTimer::timeout, &dlg, [&] {
        dlg.setLabelText(work.progressText());
        ++s.updates;
    });
    thread->start();
    refresh.start();
    dlg.show();
    if (!thread->isFinished()) loop.exec();
    thread->wait();
    refresh.stop();
    s.elapsedMs = clock.elapsed();
    if (cancelledAt >= 0) s.cancelToEndMs = s.elapsedMs - cancelledAt;
    return cancelledAt < 0;
}
