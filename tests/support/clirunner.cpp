#include "clirunner.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSizeF>

QString cliExecutable() {
    return QStringLiteral(ZARVEX_STAGE_DIR "/zarvex-cli");
}

CliRun runCli(const QStringList& args, const QString& progDir) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    QStringList all;
    if (!progDir.isEmpty()) all << QStringLiteral("--progdir") << progDir;
    p.start(cliExecutable(), all + args);
    CliRun run;
    run.finished = p.waitForFinished(120000);
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

QList<QSizeF> pdfPageSizes(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                        QStringLiteral("-l"), QStringLiteral("99"), pdf});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    QList<QSizeF> sizes;
    static const QRegularExpression re(
        QStringLiteral(R"(^Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)"),
        QRegularExpression::MultilineOption);
    auto it = re.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return sizes;
}
