// Cut, Copy and Paste through the two private buffers, in the sequences
// where the buffers' rules show.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "document/LabelSession.h"

namespace kestrix {
namespace {

LabelElement Text(const char16_t* text, int x, int y, bool selected) {
    LabelElement e = CreateElement(kText, {x, y}, text);
    e.bSelected = selected ? 1 : 0;
    return e;
}

struct Placed {
    std::u16string text;
    int x;
    int y;
    bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Placed& p) {
    return os << std::string(p.text.begin(), p.text.end()) << "@" << p.x << "," << p.y;
}

std::vector<Placed> Layout(const std::vector<LabelElement>& elements) {
    std::vector<Placed> out;
    for (const LabelElement& e : elements) out.push_back({ElementText(e), e.nPosX, e.nPosY});
    return out;
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A selected, b not, c selected.
        session_.Elements() = {Text(u"a", 0, 0, true), Text(u"b", 100, 0, false), Text(u"c", 200, 0, true)};
    }
    std::vector<Placed> Label() { return Layout(session_.Elements()); }

    QTemporaryDir dir_;
    LabelSession session_{dir_.path()};
};

TEST_F(ClipboardTest, CopyPasteThenASecondPasteDoesNothing) {
    session_.Copy();
    EXPECT_EQ(Label().size(), 3u) << "Copy leaves the label alone";
    ASSERT_TRUE(session_.CanPaste());
    session_.Paste();
    EXPECT_EQ(Label(), (std::vector<Placed>{{u"a", 0, 0}, {u"b", 100, 0}, {u"c", 200, 0},
                                            {u"a", 10, 10}, {u"c", 210, 10}}));
    EXPECT_FALSE(session_.CanPaste());
    session_.Paste();
    EXPECT_EQ(Label().size(), 5u);
    EXPECT_EQ(session_.Undo().nSnapshotCount(), 0) << "Copy and Paste take no snapshot";
}

TEST_F(ClipboardTest, TwoCopiesPasteBothSetsEachOffsetFromItsSource) {
    session_.Copy();
    session_.Elements()[1].bSelected = 1;
    session_.Elements()[0].bSelected = 0;
    session_.Elements()[2].bSelected = 0;
    session_.Copy();
    session_.Paste();
    EXPECT_EQ(Label(), (std::vector<Placed>{{u"a", 0, 0}, {u"b", 100, 0}, {u"c", 200, 0},
                                            {u"a", 10, 10}, {u"c", 210, 10}, {u"b", 110, 10}}));
}

TEST_F(ClipboardTest, CopyAfterCutFreesTheCutElements) {
    session_.Cut();
    EXPECT_EQ(Label(), (std::vector<Placed>{{u"b", 100, 0}}));
    session_.Elements()[0].bSelected = 1;
    session_.Copy();
    EXPECT_TRUE(session_.Clipboard().CutBuffer().empty());
    session_.Paste();
    EXPECT_EQ(Label(), (std::vector<Placed>{{u"b", 100, 0}, {u"b", 110, 10}}));
}

TEST_F(ClipboardTest, CopyThenCutPastesDuplicatesFirstThenCutElementsInPlace) {
    session_.Copy();
    session_.Cut();
    EXPECT_EQ(Label(), (std::vector<Placed>{{u"b", 100, 0}}));
    session_.Paste();
    EXPECT_EQ(Label(), (std::vector<Placed>{{u"b", 100, 0}, {u"a", 10, 10}, {u"c", 210, 10},
                                            {u"a", 0, 0}, {u"c", 200, 0}}));
    for (std::size_t i = 1; i < 5; ++i) EXPECT_EQ(session_.Elements()[i].bSelected, 1) << "pasted stay selected";
}

TEST_F(ClipboardTest, UndoAfterCutBringsTheElementBackAndPasteAddsASecond) {
    session_.Cut();
    EXPECT_EQ(session_.Undo().nSnapshotCount(), 1) << "Cut takes its snapshot before the removal";
    session_.UndoStep();  // number 0, no file open: empty
    session_.RedoStep();  // number 1: the label before the cut
    EXPECT_EQ(Label().size(), 3u);
    session_.Paste();
    EXPECT_EQ(Label(), (std::vector<Placed>{{u"a", 0, 0}, {u"b", 100, 0}, {u"c", 200, 0},
                                            {u"a", 0, 0}, {u"c", 200, 0}}));
}

TEST_F(ClipboardTest, CopyClearsTheSourceOmitFlagAndTheDuplicateCache) {
    session_.Elements()[0].bOmit = 1;
    session_.Elements()[0].hCache = 77;
    session_.Copy();
    EXPECT_EQ(session_.Elements()[0].bOmit, 0);
    EXPECT_EQ(session_.Elements()[0].hCache, 77u) << "the source keeps its cached image";
    const LabelElement& dup = session_.Clipboard().CopyBuffer().at(0);
    EXPECT_EQ(dup.hCache, 0u);
    EXPECT_EQ(dup.bOmit, 1) << "the duplicate is made before the flag is cleared";
    EXPECT_EQ(dup.bSelected, 1);
}

TEST_F(ClipboardTest, BuffersSurviveNewLabel) {
    session_.Cut();
    ASSERT_TRUE(session_.NewLabel(40, 30));
    EXPECT_TRUE(session_.CanPaste());
    EXPECT_FALSE(session_.CanCutOrCopy());
    session_.Paste();
    EXPECT_EQ(Label(), (std::vector<Placed>{{u"a", 0, 0}, {u"c", 200, 0}}));
    EXPECT_TRUE(session_.CanCutOrCopy());
}

TEST_F(ClipboardTest, NothingSelectedCutsAndCopiesNothing) {
    for (LabelElement& e : session_.Elements()) e.bSelected = 0;
    EXPECT_FALSE(session_.CanCutOrCopy());
    session_.Copy();
    session_.Clipboard().Cut(session_.Elements());
    EXPECT_FALSE(session_.CanPaste());
    EXPECT_EQ(Label().size(), 3u);
}

}  // namespace
}  // namespace kestrix
