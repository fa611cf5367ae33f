// Driver printing holds neither a page nor the document whole: a 2 m square
// label at the label's own resolution and large pictures scaled to 600 dpi
// print through the test cupsd with kestrix-cli's peak memory under 300 MB.

#include <QImage>
#include <QTemporaryDir>

#include "CupsTestServer.h"
#include "PeakMemory.h"
#include "document/LabelFile.h"

namespace kestrix {
namespace {

TEST(DriverMemory, AHugeLabelAndLargePicturesPrintInBoundedMemory) {
    KESTRIX_REQUIRE_CUPSD();
    QTemporaryDir dir;
    LabelElement text = CreateElement(kText, {10, 10}, u"Huge");
    std::tie(text.nWidth, text.nHeight) = std::tuple{96, 28};
    ASSERT_TRUE(WriteLabelFile(dir.filePath("huge.lab"), {2000, 2000, {}, {}, {text}}, nullptr));
    // Pictures that compress well but decode to 64 MB each, drawn over most of a 300 mm label.
    QImage picture(4000, 4000, QImage::Format_RGB32);
    picture.fill(qRgb(200, 120, 40));
    for (int y = 0; y < picture.height(); y += 97) picture.setPixel(y, y, qRgb(0, 0, 0));
    ASSERT_TRUE(picture.save(dir.filePath("picture.png")));
    std::vector<LabelElement> pictures;
    for (const int at : {10, 1200}) {
        pictures.push_back(CreatePictureElement({at, at}, dir.filePath("picture.png").toStdU16String(), 4000, 4000));
        pictures.back().nWidth = pictures.back().nHeight = 1100;
    }
    ASSERT_TRUE(WriteLabelFile(dir.filePath("pictures.lab"), {300, 300, {}, {}, pictures}, nullptr));
    for (const auto& [label, queue] : {std::pair{"huge.lab", "kestrix-pdf-203"}, {"pictures.lab", "kestrix-pdf-600"}}) {
        const qsizetype jobs = CupsTestServer::Jobs().size();
        const MeasuredRun run = RunMeasured({"print", label, "--printer", queue}, dir.path());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_LT(run.peakKb, kMemoryBoundKb) << label << " on " << queue;
        EXPECT_EQ(CupsTestServer::Jobs().size(), jobs + 1) << "the job is taken";
    }
}

}  // namespace
}  // namespace kestrix
