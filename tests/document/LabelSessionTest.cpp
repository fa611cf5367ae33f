// The label being edited: New and Open rules, Undo and Redo over the numbered
// snapshot files, and Cut, Copy and Paste through the two buffers.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <map>

#include "DocumentTestSupport.h"
#include "document/LabelFile.h"
#include "document/LabelSession.h"

namespace kestrix {
namespace {

using namespace test;
using Counters = std::array<int, 3>;

Counters Numbers(const UndoSnapshots& u) { return {u.nSnapshotCount(), u.nSnapshotPos(), u.nSnapshotTop()}; }

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
    void Add(const char16_t* text) {
        session_.Elements().push_back(Text(text));
        session_.TakeSnapshot();
    }

    QTemporaryDir dir_;
    LabelSession session_{UndoFolder(dir_.path())};
};

TEST_F(SessionTest, NewAndOpenRefuseBadLabelsElseReplaceTheLabelAndStartItsUndoHistory) {
    session_.Document() = {60, 40, "Desk", Path("current.lab"), {Text(u"current")}};
    session_.TakeSnapshot();
    const QByteArray before = State();
    for (auto [w, h] : {std::pair{0, 70}, {50, 0}, {-5, 70}, {2001, 10}}) {
        QString error;
        EXPECT_FALSE(session_.NewLabel(w, h, &error) || error.isEmpty()) << w << " x " << h;
        EXPECT_EQ(State(), before);
    }
    EXPECT_EQ(Numbers(session_.Undo()), (Counters{1, 1, 1}));
    ASSERT_TRUE(session_.NewLabel(2000, 1));
    EXPECT_EQ(State(), LabelFileBytes({2000, 1, {}, {}, {}}) + '|');
    EXPECT_EQ(Numbers(session_.Undo()), (Counters{0, 0, 0}));
    EXPECT_FALSE(QFile::exists(Path("1.undo"))) << "the old label's steps are gone";
    EXPECT_FALSE(session_.UndoStep());

    // Open: a damaged file changes nothing; one that cannot be read still becomes the path Save writes to.
    LabelDocument shelf{30, 20, "Shelf", {}, {OddRecord(1)}};
    ASSERT_TRUE(WriteLabelFile(Path("shelf.lab"), shelf, nullptr));
    ASSERT_TRUE(WriteFileBytes(Path("zero.lab"), SizeText("0 0") + NameBlock("P")));
    session_.Document() = {60, 40, "Desk", {}, {Text(u"current")}};
    session_.TakeSnapshot();
    const QByteArray label = LabelFileBytes(doc());
    for (auto [path, result] : {std::pair{Path("zero.lab"), LabelSession::OpenResult::Refused},
                                {dir_.path(), LabelSession::OpenResult::Unreadable},
                                {Path("missing.lab"), LabelSession::OpenResult::Unreadable}}) {
        LabelFileProblem problem;
        EXPECT_EQ(session_.OpenLabel(path, &problem), result);
        EXPECT_NE(problem.code, LabelFileProblem::None);
        EXPECT_EQ(State(), label + '|' + (result == LabelSession::OpenResult::Refused ? "" : path.toUtf8()));
        EXPECT_EQ(Numbers(session_.Undo()), (Counters{1, 1, 1})) << "the label stays, and its steps";
    }
    ASSERT_TRUE(session_.SaveLabel(doc().labelPath));
    EXPECT_EQ(FileBytes(Path("missing.lab")), label);
    ASSERT_EQ(session_.OpenLabel(Path("shelf.lab")), LabelSession::OpenResult::Opened);
    shelf.elements[0].hCache = 0;
    EXPECT_EQ(State(), LabelFileBytes(shelf) + '|' + Path("shelf.lab").toUtf8());
    EXPECT_EQ(Numbers(session_.Undo()), (Counters{0, 0, 0}));
    EXPECT_FALSE(session_.HasUnsavedChanges());
}

TEST_F(SessionTest, OpenWritesFileZeroWhichUndoReachesLast) {
    ASSERT_TRUE(WriteLabelFile(Path("a.lab"), {50, 70, {}, {}, {Text(u"opened")}}, nullptr));
    Add(u"before");
    ASSERT_EQ(session_.OpenLabel(Path("a.lab")), LabelSession::OpenResult::Opened);
    EXPECT_EQ(FileBytes(Path("0.undo")), Records(doc().elements));
    Add(u"added");  // number 1
    EXPECT_TRUE(session_.HasUnsavedChanges());
    EXPECT_TRUE(session_.UndoStep());
    EXPECT_EQ(Layout(doc().elements), "opened@10,0") << "never the label before the Open";
    EXPECT_FALSE(session_.HasUnsavedChanges());
    EXPECT_FALSE(session_.UndoStep());
    session_.Elements() = {Text(u"current")};
    session_.OpenCancelled();
    EXPECT_EQ(FileBytes(Path("0.undo")), Records(doc().elements)) << "a cancelled Open rewrites it";
}

TEST_F(SessionTest, UndoFilesAndCopiesKeepEveryRecordByteButTheCache) {
    std::vector<LabelElement> odd = {OddRecord(1), OddRecord(2)};
    odd[0].bSelected = odd[0].bOmit = 1;
    session_.Elements() = odd;
    session_.TakeSnapshot();
    EXPECT_EQ(FileBytes(Path("1.undo")), Records(odd)) << "omitted records too";
    session_.Copy();
    EXPECT_EQ(Records(session_.Clipboard().CopyBuffer()), Records({odd[0]}, true)) << "before bOmit is cleared";
    EXPECT_EQ(doc().elements[0].bOmit, 0);
    EXPECT_EQ(doc().elements[0].hCache, 0xDEADBEEFu) << "the source keeps its cached image";
    Add(u"X");
    ASSERT_TRUE(WriteFileBytes(Path("1.undo"), Records(odd) + QByteArray(500, '\x7f')));
    ASSERT_TRUE(session_.UndoStep());
    EXPECT_EQ(Records(doc().elements), Records(odd, true)) << "a short tail is dropped";
    ASSERT_TRUE(QFile::remove(Path("2.undo")));
    EXPECT_TRUE(session_.RedoStep());
    EXPECT_TRUE(doc().elements.empty()) << "a missing file gives an empty label";
    UndoSnapshots unwritable(UndoFolder(Path("no-folder")));
    unwritable.TakeSnapshot(odd);
    EXPECT_EQ(Numbers(unwritable), (Counters{1, 0, 0})) << "an unwritten snapshot is never restored";
    ASSERT_TRUE(unwritable.Problem().has_value());
    EXPECT_EQ(unwritable.Problem()->folder, Path("no-folder"));
    EXPECT_EQ(unwritable.Problem()->systemError, ENOENT);
}

// Each sequence starts from an empty label with no file open. +a adds the text
// "a" at x 0 (b at 100, ...) and takes a snapshot, s:ac selects a and c only;
// C copy, X cut, V paste, U undo, R redo, N new label.
TEST(LabelSessionSequences, UndoRedoCutCopyAndPaste) {
    const std::tuple<const char*, const char*, Counters> cases[] = {
        // ops, label, undo counters
        // Two texts undone to 0, the empty label, and redone; nothing happens beyond either end.
        {"+a +b U", "a@0,0", {1, 1, 2}},
        {"+a +b U U U", "", {0, 0, 2}},
        {"+a +b U U R R R", "a@0,0 b@100,0", {2, 2, 2}},
        // A snapshot after Undo takes the next number, ends Redo, and its file replaces the old one.
        {"+a +b +c U U +d R", "a@0,0 d@300,0", {2, 2, 2}},
        // Each Paste adds the copies 10 dots further on; Paste is a step, Copy none.
        {"+a +b +c s:ac C V V", "a@0,0 b@100,0 c@200,0 a@10,10 c@210,10 a@20,20 c@220,20", {5, 5, 5}},
        {"+a +b +c s:ac C s:b C V", "a@0,0 b@100,0 c@200,0 a@10,10 c@210,10 b@110,10", {4, 4, 4}},
        // Cut is a step after the elements left; Copy frees the cut elements; Paste puts them back in place.
        {"+a +b +c s:ac X s:b C V", "b@100,0 b@110,10", {5, 5, 5}},
        {"+a +b +c s:ac C X V", "b@100,0 a@10,10 c@210,10 a@0,0 c@200,0", {5, 5, 5}},
        {"+a +b +c s:ac X U", "a@0,0 b@100,0 c@200,0", {3, 3, 4}},
        // Cut elements come back in place once; the next Paste adds copies of them further on.
        {"+a +b +c s:ac X V V", "b@100,0 a@0,0 c@200,0 a@10,10 c@210,10", {6, 6, 6}},
        // New starts the history empty; the buffers stay.
        {"+a +b +c s:ac X N V", "a@0,0 c@200,0", {1, 1, 1}},
        // Nothing selected: nothing cut, no step.
        {"+a +b +c s: C X V", "a@0,0 b@100,0 c@200,0", {3, 3, 3}},
        // Deleting the last element is a step Undo takes back.
        {"+a s:a X U", "a@0,0", {1, 1, 2}},
    };
    for (const auto& [ops, label, numbers] : cases) {
        QTemporaryDir dir;
        LabelSession s{UndoFolder(dir.path())};
        const std::map<char, std::function<void()>> act = {
            {'C', [&] { s.Copy(); }},     {'X', [&] { s.Cut(); }},      {'V', [&] { s.Paste(); }},
            {'U', [&] { s.UndoStep(); }}, {'R', [&] { s.RedoStep(); }}, {'N', [&] { s.NewLabel(40, 30); }}};
        for (const QString& op : QString(ops).split(' ')) {
            if (op[0] == u'+') {
                s.Elements().push_back(Text(op.mid(1).toStdU16String(), 100 * (op[1].unicode() - 'a')));
                s.TakeSnapshot();
            } else if (op[0] == u's') {
                for (LabelElement& e : s.Elements())
                    e.bSelected = op.contains(QString::fromStdU16String(ElementText(e)));
            } else {
                act.at(op[0].toLatin1())();
            }
        }
        EXPECT_EQ(Layout(s.Elements()), label) << ops;
        EXPECT_EQ(Numbers(s.Undo()), numbers) << ops;
        const bool pasted = QString(ops).contains(u'V') && !QString(ops).contains(u"s: ");
        EXPECT_TRUE(!pasted || s.CanPaste()) << "Paste can be repeated: " << ops;
    }
}

}  // namespace
}  // namespace kestrix
