#include "CupsTestServer.h"

#include <cups/cups.h>

#include <algorithm>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

namespace kestrix {

namespace {

QString ServerDir() { return QStringLiteral(KESTRIX_TEST_CUPSD); }

}  // namespace

QString CupsTestServer::Connect() {
    QFile unavailable(ServerDir() + "/unavailable");
    if (unavailable.open(QIODevice::ReadOnly)) return QString::fromUtf8(unavailable.readAll()).trimmed();
    const QString socket = ServerDir() + "/cups.sock";
    if (!QFile::exists(socket))
        return QStringLiteral("%1 is missing: run the tests through ctest, which starts it").arg(socket);
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    cupsSetServer(socket.toLocal8Bit().constData());
    return {};
}

QList<int> CupsTestServer::Jobs() {
    // A job's document is in the spool as soon as the job is taken.
    QList<int> jobs;
    const QDir spool(ServerDir() + "/spool");
    for (const QString& name :
         spool.entryList({QStringLiteral("d[0-9][0-9][0-9][0-9][0-9]-001")}, QDir::Files, QDir::Name))
        jobs << name.mid(1, 5).toInt();
    return jobs;
}

int CupsTestServer::JobCopies(int job) {
    // The control file holds the job's IPP attributes: an integer (tag 0x21)
    // named "copies", four bytes long. The scheduler writes it a little later.
    QFile file(ServerDir() + QStringLiteral("/spool/c%1").arg(job, 5, 10, QChar(u'0')));
    QElapsedTimer timer;
    timer.start();
    while (!file.exists() && timer.elapsed() < 10000) QThread::msleep(100);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    const QByteArray data = file.readAll();
    const QByteArray key(
        "\x21\x00\x06"
        "copies\x00\x04",
        11);
    const qsizetype at = data.indexOf(key);
    if (at < 0 || at + key.size() + 4 > data.size()) return 1;
    const auto* v = reinterpret_cast<const uchar*>(data.constData() + at + key.size());
    return (v[0] << 24) | (v[1] << 16) | (v[2] << 8) | v[3];
}

QString CupsTestServer::SpooledDocument(int job) {
    return ServerDir() + QStringLiteral("/spool/d%1-001").arg(job, 5, 10, QChar(u'0'));
}

QString CupsTestServer::WaitForPdf(const QString& queue, int job) {
    const QDir dir(ServerDir() + "/pdf/" + queue);
    const QString pattern = QStringLiteral("*job_%1.pdf").arg(job);
    const QByteArray name = queue.toUtf8();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000) {
        // cups-pdf writes in place: the file is whole once the job has completed.
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs(&jobs, name.constData(), 0, CUPS_WHICHJOBS_COMPLETED);
        const bool done =
            std::any_of(jobs, jobs + std::max(count, 0), [job](const cups_job_t& j) { return j.id == job; });
        cupsFreeJobs(count, jobs);
        const QStringList found = dir.entryList({pattern}, QDir::Files);
        if (done && !found.isEmpty()) return dir.filePath(found.first());
        QThread::msleep(100);
    }
    return {};
}

QString RunTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << program.toStdString() << " did not run: " << process.errorString().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<QSizeF> PdfPageSizesMm(const QString& pdf) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                             QStringLiteral("-l"), QStringLiteral("999"), pdf});
    QList<QSizeF> sizes;
    static const QRegularExpression line(QStringLiteral(R"(Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)"));
    for (auto it = line.globalMatch(info); it.hasNext();) {
        const auto m = it.next();
        sizes << QSizeF(m.captured(1).toDouble() * 25.4 / 72, m.captured(2).toDouble() * 25.4 / 72);
    }
    return sizes;
}

QImage RasterizePage(const QString& pdf, int page, int dpi, const QString& tool) {
    QTemporaryDir dir;
    const QString n = QString::number(page);
    RunTool(tool, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf,
                   dir.filePath(QStringLiteral("page"))});
    return QImage(dir.filePath(QStringLiteral("page.png")));
}

QString DecodeBarcode(const QImage& image) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("code.png"));
    if (!image.save(path)) return {};
    const QString out = RunTool(QStringLiteral("ZXingReader"), {path});
    static const QRegularExpression text(QStringLiteral("Text:\\s+\"([^\"]*)\""));
    return text.match(out).captured(1);
}

}  // namespace kestrix
