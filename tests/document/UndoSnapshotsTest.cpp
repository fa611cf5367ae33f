// Undo and Redo over numbered snapshot files: the counters, what each number
// restores, and the files left in the folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "DocumentTestSupport.h"
#include "document/LabelFile.h"
#include "document/LabelSession.h"
#include "document/UndoSnapshots.h"

namespace kestrix {
namespace {

LabelElement Text(const char16_t* text) { return CreateElement(kText, {10, 10}, text); }

std::vector<std::u16string> Texts(const std::vector<LabelElement>& elements) {
    std::vector<std::u16string> out;
    for (const LabelElement& e : elements) out.push_back(ElementText(e));
    return out;
}

using Contents = std::vector<std::u16string>;

class UndoTest : public ::testing::Test {
protected:
    void ExpectCounters(int count, int pos, int top) {
        EXPECT_EQ(undo_.nSnapshotCount(), count);
        EXPECT_EQ(undo_.nSnapshotPos(), pos);
        EXPECT_EQ(undo_.nSnapshotTop(), top);
    }
    bool Undo() { return undo_.RestoreSnapshot(-1, label_, true); }
    bool Redo() { return undo_.RestoreSnapshot(1, label_, true); }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir_;
    UndoSnapshots undo_{dir_.path()};
    std::vector<LabelElement> label_;
};

TEST_F(UndoTest, TwoTextsUndoneAndRedone) {
    label_.push_back(Text(u"A"));
    undo_.TakeSnapshot(label_);
    label_.push_back(Text(u"B"));
    undo_.TakeSnapshot(label_);
    ExpectCounters(2, 2, 2);

    EXPECT_TRUE(Undo());
    EXPECT_EQ(Texts(label_), Contents{u"A"});
    ExpectCounters(1, 1, 2);
    EXPECT_TRUE(Undo());
    EXPECT_TRUE(label_.empty()) << "number 0 with no label file open is the empty label";
    ExpectCounters(0, 0, 2);
    EXPECT_FALSE(undo_.CanUndo());
    EXPECT_FALSE(Undo()) << "nothing below 0";
    ExpectCounters(0, 0, 2);

    EXPECT_TRUE(Redo());
    EXPECT_EQ(Texts(label_), Contents{u"A"});
    EXPECT_TRUE(Redo());
    EXPECT_EQ(Texts(label_), (Contents{u"A", u"B"}));
    ExpectCounters(2, 2, 2);
    EXPECT_FALSE(Redo()) << "a third Redo does nothing";
    EXPECT_EQ(Texts(label_), (Contents{u"A", u"B"}));
    ExpectCounters(2, 2, 2);
}

TEST_F(UndoTest, SnapshotAfterUndoTakesTheNextNumberAndEndsRedo) {
    for (const char16_t* t : {u"A", u"B", u"C"}) {
        label_.push_back(Text(t));
        undo_.TakeSnapshot(label_);
    }
    Undo();
    Undo();
    EXPECT_EQ(Texts(label_), Contents{u"A"});
    label_.push_back(Text(u"D"));
    undo_.TakeSnapshot(label_);
    ExpectCounters(2, 2, 2);
    EXPECT_FALSE(Redo());
    EXPECT_EQ(Texts(label_), (Contents{u"A", u"D"}));
    Undo();
    Redo();
    EXPECT_EQ(Texts(label_), (Contents{u"A", u"D"})) << "file 2 was replaced";
    EXPECT_EQ(Files(), (QStringList{"1.undo", "2.undo", "3.undo"})) << "old files are left, not deleted";
}

TEST_F(UndoTest, EmptyLabelTakesNoSnapshot) {
    undo_.TakeSnapshot(label_);
    ExpectCounters(0, 0, 0);
    EXPECT_FALSE(undo_.HasChanges());
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(UndoTest, SnapshotFileIsTheRawRecordsIncludingOmittedOnes) {
    label_ = {test::OddRecord(1), test::OddRecord(2)};
    label_[1].bOmit = 1;
    undo_.TakeSnapshot(label_);
    EXPECT_EQ(test::FileBytes(undo_.FilePath(1)), test::Records(label_));
    EXPECT_EQ(undo_.FilePath(3), QDir(dir_.path()).filePath("3.undo"));
}

TEST_F(UndoTest, RestoreClearsCachesAndDropsAShortTail) {
    const std::vector<LabelElement> stored = {test::OddRecord(1), test::OddRecord(2)};
    label_ = {Text(u"X")};
    undo_.TakeSnapshot(label_);  // number 1, overwritten below
    undo_.TakeSnapshot(label_);  // number 2
    ASSERT_TRUE(test::WriteFileBytes(undo_.FilePath(1), test::Records(stored) + QByteArray(500, '\x7f')));
    ASSERT_TRUE(Undo());
    ASSERT_EQ(label_.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        LabelElement want = stored[i];
        want.hCache = 0;
        EXPECT_TRUE(test::SameBytes(label_[i], want)) << "record " << i;
    }
}

TEST_F(UndoTest, MissingSnapshotFileGivesAnEmptyLabel) {
    label_ = {Text(u"A")};
    undo_.TakeSnapshot(label_);
    undo_.TakeSnapshot(label_);
    ASSERT_TRUE(QFile::remove(undo_.FilePath(1)));
    EXPECT_TRUE(Undo());
    EXPECT_TRUE(label_.empty());
    ExpectCounters(1, 1, 2);
}

TEST(UndoFolder, SnapshotThatCannotBeWrittenOnlyRaisesTheCount) {
    QTemporaryDir dir;
    UndoSnapshots undo(dir.filePath("missing-folder"));
    std::vector<LabelElement> label = {Text(u"A")};
    undo.TakeSnapshot(label);
    EXPECT_EQ(undo.nSnapshotCount(), 1);
    EXPECT_EQ(undo.nSnapshotPos(), 0);
    EXPECT_EQ(undo.nSnapshotTop(), 0);
    EXPECT_TRUE(undo.HasChanges()) << "the close question still counts it";
}

TEST(UndoFolder, SnapshotCutShortByAFullDiskIsNotCounted) {
    QTemporaryDir dir;
    UndoSnapshots undo(dir.path());
    std::vector<LabelElement> label = {Text(u"A"), Text(u"B")};
    undo.TakeSnapshot(label);
    {
        test::FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.Active());
        undo.TakeSnapshot(label);
    }
    EXPECT_EQ(undo.nSnapshotCount(), 2);
    EXPECT_EQ(undo.nSnapshotPos(), 1) << "the label still shows snapshot 1";
    EXPECT_EQ(undo.nSnapshotTop(), 1) << "Redo cannot reach the cut file";
}

TEST(UndoAfterOpen, UndoingToZeroShowsTheOpenedLabel) {
    QTemporaryDir dir;
    LabelDocument file;
    file.elements = {Text(u"opened")};
    const QString path = dir.filePath("a.lab");
    ASSERT_TRUE(WriteLabelFile(path, file, nullptr));

    LabelSession session(dir.path());
    session.Elements() = {Text(u"before")};
    session.TakeSnapshot();  // number 1: the label before the Open
    ASSERT_EQ(session.OpenLabel(path), LabelSession::OpenResult::Opened);
    EXPECT_EQ(session.Undo().nSnapshotCount(), 1) << "Open leaves the counters";
    EXPECT_EQ(Texts(test::ReadUndoFile(session.Undo().FilePath(0))), Contents{u"opened"});

    session.Elements().push_back(Text(u"added"));
    session.TakeSnapshot();  // number 2
    EXPECT_TRUE(session.UndoStep());
    EXPECT_EQ(Texts(session.Elements()), Contents{u"before"}) << "number 1 still holds the older label";
    EXPECT_TRUE(session.UndoStep());
    EXPECT_EQ(Texts(session.Elements()), Contents{u"opened"});
    EXPECT_FALSE(session.UndoStep());
}

TEST(UndoAfterOpen, CancelledOpenRewritesFileZero) {
    QTemporaryDir dir;
    LabelSession session(dir.path());
    session.Elements() = {Text(u"current")};
    session.OpenCancelled();
    EXPECT_EQ(Texts(test::ReadUndoFile(session.Undo().FilePath(0))), Contents{u"current"});
    EXPECT_EQ(session.Undo().nSnapshotCount(), 0);
}

}  // namespace
}  // namespace kestrix
