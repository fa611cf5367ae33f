// New, Open and Save on the label being edited: what each replaces, keeps
// and refuses.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "DocumentTestSupport.h"
#include "document/LabelFile.h"
#include "document/LabelSession.h"

namespace kestrix {
namespace {

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        LabelDocument& doc = session_.Document();
        doc.widthMm = 60;
        doc.heightMm = 40;
        doc.printerName = "Desk";
        doc.labelPath = Path("current.lab");
        doc.elements = {CreateElement(kText, {1, 2}, u"current")};
        session_.TakeSnapshot();
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Size, printer, path and records of the label now in the session.
    QByteArray State() const {
        const LabelDocument& doc = session_.Document();
        return LabelFileBytes(doc) + '|' + doc.labelPath.toUtf8();
    }

    QTemporaryDir dir_;
    LabelSession session_{dir_.path()};
};

TEST_F(SessionTest, NewLabelClearsEverythingButTheUndoCounters) {
    ASSERT_TRUE(session_.NewLabel(50, 70));
    const LabelDocument& doc = session_.Document();
    EXPECT_EQ(doc.widthMm, 50);
    EXPECT_EQ(doc.heightMm, 70);
    EXPECT_TRUE(doc.elements.empty());
    EXPECT_TRUE(doc.labelPath.isEmpty());
    EXPECT_TRUE(doc.printerName.isEmpty());
    EXPECT_EQ(session_.Undo().nSnapshotCount(), 1);
    EXPECT_TRUE(session_.Undo().HasChanges()) << "the close question still asks";
}

TEST_F(SessionTest, NewLabelRefusesSizesTheCanvasCannotLayOut) {
    const QByteArray before = State();
    for (auto [w, h] : {std::pair{0, 70}, {50, 0}, {-5, 70}, {2001, 10}}) {
        QString error;
        EXPECT_FALSE(session_.NewLabel(w, h, &error)) << w << " x " << h;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(State(), before);
    }
    EXPECT_TRUE(session_.NewLabel(2000, 1));
}

TEST_F(SessionTest, OpenReplacesSizePrinterElementsAndPath) {
    LabelDocument file;
    file.widthMm = 30;
    file.heightMm = 20;
    file.printerName = "Shelf";
    file.elements = {test::OddRecord(1), CreateElement(kCode2D, {5, 5}, u"Q")};
    ASSERT_TRUE(WriteLabelFile(Path("shelf.lab"), file, nullptr));

    ASSERT_EQ(session_.OpenLabel(Path("shelf.lab")), LabelSession::OpenResult::Opened);
    const LabelDocument& doc = session_.Document();
    EXPECT_EQ(doc.widthMm, 30);
    EXPECT_EQ(doc.heightMm, 20);
    EXPECT_EQ(doc.printerName, QByteArray("Shelf"));
    EXPECT_EQ(doc.labelPath, Path("shelf.lab"));
    ASSERT_EQ(doc.elements.size(), 2u);
    EXPECT_EQ(doc.elements[0].hCache, 0u);
    EXPECT_EQ(session_.Undo().nSnapshotCount(), 1) << "Open leaves the counters";
}

TEST_F(SessionTest, DamagedFileIsRefusedAndChangesNothing) {
    ASSERT_TRUE(test::WriteFileBytes(Path("bad.lab"), test::SizeText("abc def") + test::NameBlock({}) +
                                                          test::RecordBytes(test::OddRecord(0))));
    ASSERT_TRUE(test::WriteFileBytes(Path("zero.lab"), test::SizeText("0 0") + test::NameBlock("P")));
    const QByteArray before = State();
    for (const char* name : {"bad.lab", "zero.lab"}) {
        QString error;
        EXPECT_EQ(session_.OpenLabel(Path(name), &error), LabelSession::OpenResult::Refused);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(State(), before) << name;
    }
}

TEST_F(SessionTest, UnreadableFileStillBecomesTheSavePath) {
    const QByteArray elementsBefore = test::Records(session_.Elements());
    QString error;
    EXPECT_EQ(session_.OpenLabel(Path("missing.lab"), &error), LabelSession::OpenResult::Unreadable);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(session_.Document().labelPath, Path("missing.lab"));
    EXPECT_EQ(test::Records(session_.Elements()), elementsBefore);
    EXPECT_EQ(session_.Document().widthMm, 60);

    // So Save writes the current label there.
    ASSERT_TRUE(session_.SaveLabel(session_.Document().labelPath));
    LabelDocument saved;
    ASSERT_TRUE(ReadLabelFile(Path("missing.lab"), saved, nullptr));
    EXPECT_EQ(saved.widthMm, 60);
    EXPECT_EQ(saved.elements.size(), 1u);
    // And undo file 0 holds the label as it stands.
    EXPECT_EQ(test::FileBytes(session_.Undo().FilePath(0)), elementsBefore);
}

TEST_F(SessionTest, FolderChosenForOpenIsUnreadable) {
    EXPECT_EQ(session_.OpenLabel(dir_.path()), LabelSession::OpenResult::Unreadable);
    EXPECT_EQ(session_.Document().labelPath, dir_.path());
    EXPECT_EQ(session_.Elements().size(), 1u);
}

TEST_F(SessionTest, SaveChangesNothingInTheSession) {
    const QByteArray before = State();
    ASSERT_TRUE(session_.SaveLabel(Path("elsewhere.lab")));
    EXPECT_EQ(State(), before) << "Save As keeps the path of the opened file";
    EXPECT_EQ(session_.Undo().nSnapshotCount(), 1);
    EXPECT_EQ(test::FileBytes(Path("elsewhere.lab")), LabelFileBytes(session_.Document()));
}

}  // namespace
}  // namespace kestrix
