// Both tool bars: layout, hover, press and release posting command numbers,
// the font lists and the delayed tips.

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "FrameFixture.h"
#include "app/DrawToolBar.h"
#include "app/MainToolBar.h"
#include "render/GdiFont.h"

namespace kestrix {
namespace {

// The application exists before the bars that are members of the fixture.
class WithApp : public ::testing::Test {
protected:
    WithApp() { TestApp(); }
};

class ToolBarTest : public WithApp {
protected:
    void SetUp() override {
        main_.setGeometry(0, 0, 1200, 42);
        draw_.setGeometry(0, 42, 1200, 42);
        main_.show();
        draw_.show();
    }
    static QPoint Centre(QRect r) { return r.center(); }

    MainToolBar main_{UiLanguage::English};
    DrawToolBar draw_{UiLanguage::English};
};

TEST_F(ToolBarTest, ButtonPlaces) {
    EXPECT_EQ(DrawToolBar::ButtonX(0), 0);
    EXPECT_EQ(DrawToolBar::ButtonX(6), 258);
    EXPECT_EQ(DrawToolBar::ButtonX(7), 317);
    EXPECT_EQ(DrawToolBar::ButtonX(11), 781);
    EXPECT_EQ(DrawToolBar::ButtonX(16), 941);
    EXPECT_EQ(MainToolBar::ButtonX(2), 86);
    EXPECT_EQ(MainToolBar::ButtonX(3), 145);
    EXPECT_EQ(MainToolBar::ButtonX(5), 247);
    EXPECT_EQ(MainToolBar::ButtonX(9), 435);
    EXPECT_EQ(MainToolBar::ButtonX(25), 1123);
    EXPECT_EQ(MainToolBar::HoverRect(0), QRect(5, 0, 35, 42));
    EXPECT_EQ(draw_.FaceList()->geometry().left(), 470);
    EXPECT_EQ(draw_.SizeList()->geometry().left(), 625);
}

TEST_F(ToolBarTest, ClickPostsTheButtonsCommand) {
    QSignalSpy drawSpy(&draw_, &DrawToolBar::Command);
    QSignalSpy mainSpy(&main_, &MainToolBar::Command);
    Click(&draw_, Centre(DrawToolBar::PressRect(1)));
    Click(&draw_, Centre(DrawToolBar::PressRect(13)));
    Click(&main_, Centre(MainToolBar::HoverRect(25)));
    ASSERT_EQ(drawSpy.size(), 2);
    EXPECT_EQ(drawSpy[0][0].toInt(), 101);
    EXPECT_EQ(drawSpy[1][0].toInt(), 113);
    ASSERT_EQ(mainSpy.size(), 1);
    EXPECT_EQ(mainSpy[0][0].toInt(), 155);
}

TEST_F(ToolBarTest, DoubleClickPostsOnce) {
    QSignalSpy spy(&main_, &MainToolBar::Command);
    const QPoint at = Centre(MainToolBar::HoverRect(7));
    Click(&main_, at);
    SendMouse(&main_, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    SendMouse(&main_, QEvent::MouseButtonRelease, at, Qt::LeftButton);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 137);
}

TEST_F(ToolBarTest, HoverPressAndReleaseStates) {
    const QPoint first = Centre(DrawToolBar::HoverRect(2));
    const QPoint second = Centre(DrawToolBar::HoverRect(3));
    SendMouse(&draw_, QEvent::MouseMove, first);
    EXPECT_EQ(draw_.State(2), kHover);
    // One move passes the highlight to the next button.
    SendMouse(&draw_, QEvent::MouseMove, second);
    EXPECT_EQ(draw_.State(2), kNormal);
    EXPECT_EQ(draw_.State(3), kHover);
    SendMouse(&draw_, QEvent::MouseButtonPress, second, Qt::LeftButton);
    EXPECT_EQ(draw_.State(3), kPressed);
    QSignalSpy spy(&draw_, &DrawToolBar::Command);
    SendMouse(&draw_, QEvent::MouseButtonRelease, second, Qt::LeftButton);
    EXPECT_EQ(draw_.State(3), kHover);
    EXPECT_EQ(spy.size(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&draw_, &leave);
    EXPECT_EQ(draw_.State(3), kNormal);
}

TEST_F(ToolBarTest, PressDraggedOffTheButtonPostsNothing) {
    QSignalSpy drawSpy(&draw_, &DrawToolBar::Command);
    const QPoint on = Centre(DrawToolBar::HoverRect(4));
    SendMouse(&draw_, QEvent::MouseMove, on);
    SendMouse(&draw_, QEvent::MouseButtonPress, on, Qt::LeftButton);
    SendMouse(&draw_, QEvent::MouseMove, {on.x(), 60});
    SendMouse(&draw_, QEvent::MouseButtonRelease, {on.x(), 60}, Qt::LeftButton);
    EXPECT_EQ(drawSpy.size(), 0);

    // The top bar posts whatever is pressed, wherever the release is, but a
    // move off the button has already let go of it.
    QSignalSpy mainSpy(&main_, &MainToolBar::Command);
    const QPoint button = Centre(MainToolBar::HoverRect(0));
    SendMouse(&main_, QEvent::MouseMove, button);
    SendMouse(&main_, QEvent::MouseButtonPress, button, Qt::LeftButton);
    SendMouse(&main_, QEvent::MouseMove, {MainToolBar::ButtonX(0) + 2, 20}, Qt::LeftButton);
    SendMouse(&main_, QEvent::MouseButtonRelease, {MainToolBar::ButtonX(0) + 2, 20}, Qt::LeftButton);
    EXPECT_EQ(mainSpy.size(), 0);
}

TEST_F(ToolBarTest, EmptyPlaceHasNoButton) {
    QSignalSpy spy(&draw_, &DrawToolBar::Command);
    EXPECT_TRUE(DrawToolBar::HoverRect(DrawToolBar::kEmptyPlace).isEmpty());
    EXPECT_TRUE(DrawToolBar::TipText(UiLanguage::English, DrawToolBar::kEmptyPlace).isEmpty());
    // Between Delete and the font list: nothing reacts.
    Click(&draw_, {462, 20});
    EXPECT_EQ(spy.size(), 0);
    for (int i = 0; i < DrawToolBar::kButtons; ++i) EXPECT_EQ(draw_.State(i), kNormal);
}

TEST_F(ToolBarTest, StyleButtonsReactInTheirOwnStrip) {
    // The hover strip of Bold is the 32 pixels ending at 817.
    SendMouse(&draw_, QEvent::MouseMove, {786, 10});
    EXPECT_EQ(draw_.State(11), kHover);
    SendMouse(&draw_, QEvent::MouseMove, {786, 36});
    EXPECT_EQ(draw_.State(11), kNormal);
}

TEST_F(ToolBarTest, FontListsOfferTheSizesWithTwentySelected) {
    QComboBox* sizes = draw_.SizeList();
    ASSERT_EQ(sizes->count(), 20);
    EXPECT_EQ(sizes->itemText(0), QStringLiteral("4"));
    EXPECT_EQ(sizes->itemText(19), QStringLiteral("72"));
    EXPECT_EQ(sizes->currentIndex(), 12);
    EXPECT_EQ(sizes->currentText(), QStringLiteral("20"));
    EXPECT_GT(draw_.FaceList()->count(), 0);

    QSignalSpy spy(&draw_, &DrawToolBar::FontChosen);
    draw_.FaceList()->addItem(QStringLiteral("宋体"));
    draw_.FaceList()->setCurrentText(QStringLiteral("宋体"));
    sizes->setCurrentText(QStringLiteral("36"));
    ASSERT_FALSE(spy.isEmpty());
    EXPECT_EQ(spy.last()[0].toInt(), 36);
    EXPECT_EQ(spy.last()[1].toString(), QStringLiteral("宋体"));
    // No face selected: nothing is posted.
    draw_.FaceList()->setCurrentIndex(-1);
    const auto before = spy.size();
    sizes->setCurrentText(QStringLiteral("48"));
    EXPECT_EQ(spy.size(), before);
}

TEST_F(ToolBarTest, SongFaceIsOfferedAndSelectedWhereItHasAStandIn) {
    InstallFontSubstitutes();
    DrawToolBar bar(UiLanguage::Chinese);
    EXPECT_EQ(bar.FaceList()->currentText(), QStringLiteral("宋体"));
    EXPECT_EQ(bar.FaceList()->findText(QStringLiteral("宋体")), bar.FaceList()->count() - 1);
}

TEST_F(ToolBarTest, TipsInBothLanguages) {
    EXPECT_EQ(DrawToolBar::TipText(UiLanguage::English, 0), QStringLiteral("Selection"));
    EXPECT_EQ(DrawToolBar::TipText(UiLanguage::Chinese, 3), QStringLiteral("一维条码"));
    EXPECT_EQ(DrawToolBar::TipText(UiLanguage::English, 16), QStringLiteral("Right"));
    EXPECT_EQ(DrawToolBar::TipText(UiLanguage::Chinese, 14), QStringLiteral("字体靠左"));
    EXPECT_EQ(MainToolBar::TipText(UiLanguage::English, 5), QStringLiteral("Left Hand Ratation"));
    EXPECT_EQ(MainToolBar::TipText(UiLanguage::English, 15), QStringLiteral("Horizion Center"));
    EXPECT_EQ(MainToolBar::TipText(UiLanguage::English, 24), QStringLiteral("Equal spacing between levels"));
    EXPECT_EQ(MainToolBar::TipText(UiLanguage::Chinese, 24), QStringLiteral("水平间等间距"));
    EXPECT_EQ(MainToolBar::TipText(UiLanguage::Chinese, 7), QStringLiteral("放大"));
}

TEST_F(ToolBarTest, TipAppearsAfterHalfASecond) {
    SendMouse(&draw_, QEvent::MouseMove, Centre(DrawToolBar::HoverRect(1)));
    QTest::qWait(200);
    EXPECT_FALSE(QToolTip::isVisible());
    QTest::qWait(450);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Text"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&draw_, &leave);
    for (int i = 0; i < 20 && QToolTip::isVisible(); ++i) QTest::qWait(50);
    EXPECT_FALSE(QToolTip::isVisible());
}

}  // namespace
}  // namespace kestrix
