// The label being edited: New and Open rules, Undo and Redo over the numbered
// snapshot files, and Cut, Copy and Paste through the two buffers.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "DocumentTestSupport.h"
#include "document/LabelFile.h"
#include "document/LabelSession.h"

namespace kestrix {
namespace {

using test::FileBytes;
using test::Records;
using Counters = std::array<int, 3>;

LabelElement Text(const char16_t* text, int x = 10) { return CreateElement(kText, {x, 0}, text); }

// "text@x,y" of every element in drawing order.
std::string Layout(const std::vector<LabelElement>& elements) {
    QStringList out;
    for (const LabelElement& e : elements)
        out << QString("%1@%2,%3").arg(QString::fromStdU16String(ElementText(e))).arg(e.nPosX).arg(e.nPosY);
    return out.join(' ').toStdString();
}

class SessionTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Size, printer, records and path of the label now in the session.
    QByteArray State() const { return LabelFileBytes(doc()) + '|' + doc().labelPath.toUtf8(); }
    const LabelDocument& doc() const { return session_.Document(); }
    std::string Label() const { return Layout(doc().elements); }
    void Add(const char16_t* text) {
        session_.Elements().push_back(Text(text));
        session_.TakeSnapshot();
    }
    Counters Numbers() const {
        return {session_.Undo().nSnapshotCount(), session_.Undo().nSnapshotPos(), session_.Undo().nSnapshotTop()};
    }

    QTemporaryDir dir_;
    LabelSession session_{dir_.path()};
};

TEST_F(SessionTest, NewLabelRefusesBadSizesElseClearsAllButTheUndoCounters) {
    session_.Document() = {60, 40, "Desk", Path("current.lab"), {Text(u"current")}};
    session_.TakeSnapshot();
    const QByteArray before = State();
    for (auto [w, h] : {std::pair{0, 70}, {50, 0}, {-5, 70}, {2001, 10}}) {
        QString error;
        EXPECT_FALSE(session_.NewLabel(w, h, &error)) << w << " x " << h;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(State(), before);
    }
    ASSERT_TRUE(session_.NewLabel(2000, 1));
    EXPECT_EQ(State(), LabelFileBytes({2000, 1, {}, {}, {}}) + '|');
    EXPECT_EQ(Numbers(), (Counters{1, 1, 1})) << "the close question still asks";
}

// A damaged file changes nothing; one that cannot be read still becomes the
// path Save writes to.
TEST_F(SessionTest, OpenReplacesTheLabelRefusesADamagedFileAndKeepsAnUnreadablePath) {
    LabelDocument shelf{30, 20, "Shelf", {}, {test::OddRecord(1)}};
    ASSERT_TRUE(WriteLabelFile(Path("shelf.lab"), shelf, nullptr));
    ASSERT_TRUE(test::WriteFileBytes(Path("zero.lab"), test::SizeText("0 0") + test::NameBlock("P")));
    session_.Document() = {60, 40, "Desk", {}, {Text(u"current")}};
    const QByteArray label = LabelFileBytes(doc());
    for (auto [path, result] : {std::pair{Path("zero.lab"), LabelSession::OpenResult::Refused},
                                {dir_.path(), LabelSession::OpenResult::Unreadable},
                                {Path("missing.lab"), LabelSession::OpenResult::Unreadable}}) {
        QString error;
        EXPECT_EQ(session_.OpenLabel(path, &error), result);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(State(), label + '|' + (result == LabelSession::OpenResult::Refused ? "" : path.toUtf8()));
    }
    ASSERT_TRUE(session_.SaveLabel(doc().labelPath));
    EXPECT_EQ(FileBytes(Path("missing.lab")), label);
    ASSERT_EQ(session_.OpenLabel(Path("shelf.lab")), LabelSession::OpenResult::Opened);
    shelf.elements[0].hCache = 0;
    EXPECT_EQ(State(), LabelFileBytes(shelf) + '|' + Path("shelf.lab").toUtf8());
}

// Two texts, undone to 0 and redone.
TEST_F(SessionTest, UndoAndRedoWalkTheNumberedSnapshots) {
    session_.TakeSnapshot();  // an empty label takes none
    Add(u"A");
    Add(u"B");
    EXPECT_EQ(Numbers(), (Counters{2, 2, 2}));
    EXPECT_TRUE(session_.UndoStep());
    EXPECT_EQ(Label(), "A@10,0");
    EXPECT_EQ(Numbers(), (Counters{1, 1, 2}));
    EXPECT_TRUE(session_.UndoStep());
    EXPECT_EQ(Label(), "") << "number 0 with no label file open is the empty label";
    EXPECT_FALSE(session_.UndoStep()) << "nothing below 0";
    EXPECT_EQ(Numbers(), (Counters{0, 0, 2}));
    EXPECT_TRUE(session_.RedoStep());
    EXPECT_TRUE(session_.RedoStep());
    EXPECT_FALSE(session_.RedoStep()) << "a third Redo does nothing";
    EXPECT_EQ(Label(), "A@10,0 B@10,0");
    EXPECT_EQ(Numbers(), (Counters{2, 2, 2}));
}

TEST_F(SessionTest, SnapshotAfterUndoTakesTheNextNumberAndEndsRedo) {
    for (const char16_t* t : {u"A", u"B", u"C"}) Add(t);
    session_.UndoStep();
    session_.UndoStep();
    Add(u"D");
    EXPECT_EQ(Numbers(), (Counters{2, 2, 2}));
    EXPECT_FALSE(session_.RedoStep());
    session_.UndoStep();
    session_.RedoStep();
    EXPECT_EQ(Label(), "A@10,0 D@10,0") << "file 2 was replaced";
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files, QDir::Name), (QStringList{"1.undo", "2.undo", "3.undo"}))
        << "old files are left, not deleted";
}

TEST_F(SessionTest, SnapshotsHoldRawRecordsAndRestoreWithoutCacheOrShortTail) {
    std::vector<LabelElement> odd = {test::OddRecord(1), test::OddRecord(2)};
    odd[1].bOmit = 1;
    session_.Elements() = odd;
    session_.TakeSnapshot();
    Add(u"X");
    EXPECT_EQ(FileBytes(Path("1.undo")), Records(odd)) << "omitted records too";
    ASSERT_TRUE(test::WriteFileBytes(Path("1.undo"), Records(odd) + QByteArray(500, '\x7f')));
    ASSERT_TRUE(session_.UndoStep());
    EXPECT_EQ(Records(doc().elements), Records(odd, true));
}

TEST_F(SessionTest, OpenWritesFileZeroWhichUndoReachesLast) {
    ASSERT_TRUE(WriteLabelFile(Path("a.lab"), {50, 70, {}, {}, {Text(u"opened")}}, nullptr));
    Add(u"before");  // number 1: the label before the Open
    ASSERT_EQ(session_.OpenLabel(Path("a.lab")), LabelSession::OpenResult::Opened);
    EXPECT_EQ(Numbers(), (Counters{1, 1, 1})) << "Open leaves the counters";
    EXPECT_EQ(FileBytes(Path("0.undo")), Records(doc().elements));
    Add(u"added");  // number 2
    EXPECT_TRUE(session_.UndoStep());
    EXPECT_EQ(Label(), "before@10,0") << "number 1 still holds the older label";
    EXPECT_TRUE(session_.UndoStep());
    EXPECT_EQ(Label(), "opened@10,0");
    EXPECT_FALSE(session_.UndoStep());
    session_.Elements() = {Text(u"current")};
    session_.OpenCancelled();
    EXPECT_EQ(FileBytes(Path("0.undo")), Records(doc().elements)) << "a cancelled Open rewrites it too";
}

TEST_F(SessionTest, CopyDuplicatesEveryByteButTheCacheAndClearsTheSourceOmitFlag) {
    session_.Elements() = {test::OddRecord(1)};
    LabelElement& source = session_.Elements()[0];
    source.bSelected = 1;
    source.bOmit = 1;
    LabelElement duplicate = source;
    duplicate.hCache = 0;
    session_.Copy();
    EXPECT_EQ(Records(session_.Clipboard().CopyBuffer()), Records({duplicate}))
        << "made before the omit flag is cleared";
    EXPECT_EQ(source.bOmit, 0);
    EXPECT_EQ(source.hCache, 0xDEADBEEFu) << "the source keeps its cached image";
}

// Each sequence starts from a@0,0 b@100,0 c@200,0 with a and c selected.
// C copy, X cut, V paste, U undo, R redo, N new label, s:ab select a and b.
TEST(Clipboard, SequencesOfCutCopyAndPaste) {
    const std::pair<const char*, const char*> cases[] = {
        {"C V V", "a@0,0 b@100,0 c@200,0 a@10,10 c@210,10"},  // a second Paste does nothing
        {"C s:b C V", "a@0,0 b@100,0 c@200,0 a@10,10 c@210,10 b@110,10"},
        {"X s:b C V", "b@100,0 b@110,10"},  // Copy frees the cut elements
        {"C X V", "b@100,0 a@10,10 c@210,10 a@0,0 c@200,0"},
        {"X U R V", "a@0,0 b@100,0 c@200,0 a@0,0 c@200,0"},  // Cut's snapshot holds them
        {"X N V", "a@0,0 c@200,0"},
        {"s: C X V", "a@0,0 b@100,0 c@200,0"},
    };
    for (const auto& [ops, want] : cases) {
        QTemporaryDir dir;
        LabelSession s(dir.path());
        s.Elements() = {Text(u"a", 0), Text(u"b", 100), Text(u"c", 200)};
        s.Elements()[1].bSelected = 0;
        for (const QString& op : QString(ops).split(' ')) {
            switch (op[0].toLatin1()) {
                case 'C': s.Copy(); break;
                case 'X': s.Cut(); break;
                case 'V': s.Paste(); break;
                case 'U': s.UndoStep(); break;
                case 'R': s.RedoStep(); break;
                case 'N': s.NewLabel(40, 30); break;
                default:
                    for (LabelElement& e : s.Elements())
                        e.bSelected = op.contains(QString::fromStdU16String(ElementText(e)));
            }
        }
        EXPECT_EQ(Layout(s.Elements()), want) << ops;
        EXPECT_EQ(s.Undo().nSnapshotCount(), QString(ops).count('X')) << "only Cut takes a snapshot: " << ops;
        EXPECT_EQ(s.CanPaste(), false) << "Paste empties the buffers: " << ops;
    }
}

}  // namespace
}  // namespace kestrix
