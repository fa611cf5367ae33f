#pragma once
// The private cupsd that ctest starts for these tests (tests/cups/test-cupsd.sh),
// its queues, the jobs it keeps and the PDFs cups-pdf writes, and the poppler
// and zxing tools that read them back.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <QStringList>

namespace kestrix {

class CupsTestServer {
public:
    // Points this process and the programs it starts at the test cupsd. Empty
    // when it runs, else why it cannot run here.
    static QString Connect();

    // Ids of the jobs the scheduler has taken so far, oldest first.
    static QList<int> Jobs();
    // The job's "copies" attribute (1 when the job names none).
    static int JobCopies(int job);
    // The document the job was given, as the program sent it.
    static QString SpooledDocument(int job);
    // The PDF cups-pdf made of the job on `queue`, once it is there (empty after 30 s).
    static QString WaitForPdf(const QString& queue, int job);
};

// The output of a program, or a test failure naming it.
QString RunTool(const QString& program, const QStringList& args);
// Page size in millimetres of every page, as pdfinfo reports it.
QList<QSizeF> PdfPageSizesMm(const QString& pdf);
// One page rasterized by pdftoppm at `dpi` in grey. pdftoppm resamples an
// image drawn one pixel per dot by a fraction of a pixel; pdftocairo (the
// same options) maps it pixel for pixel.
QImage RasterizePage(const QString& pdf, int page, int dpi, const QString& tool = QStringLiteral("pdftoppm"));
// What ZXingReader decodes in an image ("" when nothing).
QString DecodeBarcode(const QImage& image);

// Skips the test, saying why, when the test cupsd cannot run here.
#define KESTRIX_REQUIRE_CUPSD()                                                     \
    do {                                                                            \
        const QString why = CupsTestServer::Connect();                              \
        if (!why.isEmpty()) GTEST_SKIP() << "no test cupsd: " << why.toStdString(); \
    } while (0)

}  // namespace kestrix
