// Memory stays bounded whatever the label: kestrix-cli runs on a 2 m square
// label and on many large pictures with its peak resident memory (wait4)
// under 300 MB; a picture beyond the size limit is told, not left off in
// silence.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "PeakMemory.h"
#include "document/LabelFile.h"

namespace kestrix {
namespace {

class Memory : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }

    MeasuredRun Cli(const QStringList& args) const { return RunMeasured(args, dir_.path()); }

    // A picture of w x h pixels that compresses well but decodes to its full size.
    void WritePicture(const QString& name, int w, int h) const {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(qRgb(200, 120, 40));
        for (int y = 0; y < h; y += 97) image.setPixel(y % w, y, qRgb(0, 0, 0));
        ASSERT_TRUE(image.save(Path(name)));
    }

    QTemporaryDir dir_;
};

TEST_F(Memory, AHugeLabelIsDrawnInBands) {
    LabelElement text = CreateElement(kText, {10, 10}, u"Huge");
    std::tie(text.nWidth, text.nHeight) = std::tuple{96, 28};
    ASSERT_TRUE(WriteLabelFile(Path("huge.lab"), {2000, 2000, {}, {}, {text}}, nullptr));
    for (const QStringList& args : {QStringList{"tspl", "huge.lab", "-o", "huge.tspl"},
                                    QStringList{"render", "huge.lab", "--mono", "--dpi", "290", "-o", "huge.bmp"}}) {
        const MeasuredRun run = Cli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_LT(run.peakKb, kMemoryBoundKb) << args.join(' ').toStdString();
    }
    EXPECT_EQ(QFile(Path("huge.bmp")).size(), 62 + qint64(22835 + 31) / 32 * 4 * 22835) << "the whole 1-bit label";
    const MeasuredRun colour = Cli({"render", "huge.lab", "-o", "huge.png"});
    EXPECT_EQ(colour.exitCode, 1);
    EXPECT_TRUE(colour.err.contains("too large to render")) << colour.err.toStdString();
}

TEST_F(Memory, ManyLargePicturesAreNotAllKept) {
    WritePicture(QStringLiteral("p0.png"), 4000, 4000);  // 64 MB decoded
    std::vector<LabelElement> pictures;
    for (int i = 0; i < 6; ++i) {
        const QString name = QStringLiteral("p%1.png").arg(i);
        ASSERT_TRUE(i == 0 || QFile::copy(Path("p0.png"), Path(name)));
        pictures.push_back(CreatePictureElement({10 + i * 60, 10}, Path(name).toStdU16String(), 4000, 4000));
    }
    // One more, turned: its reduction to black and white never copies it whole.
    WritePicture(QStringLiteral("tall.png"), 3000, 6000);
    LabelElement turned = CreatePictureElement({10, 150}, Path("tall.png").toStdU16String(), 3000, 6000);
    turned.nEscapement = 900;
    ASSERT_TRUE(WriteLabelFile(Path("pictures.lab"), {60, 40, {}, {}, pictures}, nullptr));
    ASSERT_TRUE(WriteLabelFile(Path("turned.lab"), {60, 40, {}, {}, {turned}}, nullptr));
    for (const QStringList& args : {QStringList{"render", "pictures.lab", "-o", "pictures.png"},
                                    QStringList{"tspl", "turned.lab", "-o", "turned.tspl"}}) {
        const MeasuredRun run = Cli(args);
        EXPECT_EQ(run.exitCode, 0) << args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.err, QByteArray()) << "every picture is drawn";
        EXPECT_LT(run.peakKb, kMemoryBoundKb) << args.join(' ').toStdString();
    }
}

// The size is known from the header: a picture too large to decode, or one
// that is not a picture, is left off and said.
TEST_F(Memory, APictureLeftOffIsTold) {
    QFile huge(Path("huge.png"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(
        QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200002328000023280802000000e2b7e5ed"
                            "0000000049444154 35af061e 0000000049454e44ae426082"));
    huge.close();
    QFile broken(Path("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
    broken.close();
    const std::vector<LabelElement> pictures{
        CreatePictureElement({10, 10}, Path("huge.png").toStdU16String(), 10, 10),
        CreatePictureElement({10, 150}, Path("broken.png").toStdU16String(), 10, 10)};
    ASSERT_TRUE(WriteLabelFile(Path("left.lab"), {40, 30, {}, {}, pictures}, nullptr));
    const MeasuredRun run = Cli({"tspl", "left.lab", "-o", "left.tspl"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("huge.png left off: too large (9000 x 9000 pixels")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("broken.png left off: not a picture")) << run.err.toStdString();
}

}  // namespace
}  // namespace kestrix
