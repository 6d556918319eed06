#include "discimagemaker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>
#include <QTest>

namespace {
void makeFile(const QString& path, qint64 size = 0) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(size)); // sparse: a file of several extents costs no disc space
}
} // namespace

void makeTree(const QString& root, const QStringList& items) {
    for (const QString& item : items) {
        const qsizetype arrow = item.indexOf(QLatin1String("->"));
        const QString path = root + u'/' + (arrow < 0 ? item : item.left(arrow));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (arrow >= 0)
            QVERIFY(QFile::link(item.mid(arrow + 2), path));
        else if (item.endsWith(u'/'))
            QVERIFY(QDir().mkpath(path));
        else
            makeFile(path, item.startsWith(QLatin1String("big")) ? (qint64(9) << 29) : 0);
    }
}

void makeImage(const QString& root, const QString& iso, const QStringList& options) {
    QProcess x;
    x.start(QStringLiteral("xorriso"), QStringList{"-as", "mkisofs", "-quiet", "-input-charset",
                                                   "UTF-8", "-iso-level", "3", "-V", "MYDISC"} +
                                           options + QStringList{"-o", "-", root});
    QVERIFY2(x.waitForStarted(), "xorriso is missing");
    QFile out(iso);
    QVERIFY(out.open(QIODevice::WriteOnly));
    while (out.size() < (8 << 20) && (x.waitForReadyRead(60000) || x.bytesAvailable()))
        out.write(x.readAllStandardOutput());
    out.write(x.readAllStandardOutput());
    x.kill();
    x.waitForFinished();
    QVERIFY2(out.size() > 17 * 2048, x.readAllStandardError().constData());
    out.close();
    QFile f(iso);
    QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(16 * 2048 + 80));
    const QByteArray blocks = f.read(4);
    QVERIFY(f.resize(qint64(qFromLittleEndian<quint32>(blocks.constData())) * 2048));
}
