// Both tool bars: button places, hover, press and release posting command
// numbers, the font lists and the delayed tips.

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
    static QList<int> Posted(const QSignalSpy& spy) {
        QList<int> ids;
        for (const QList<QVariant>& args : spy) ids << args[0].toInt();
        return ids;
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&draw_, &leave);
    }

    MainToolBar main_{UiLanguage::English};
    DrawToolBar draw_{UiLanguage::English};
    QSignalSpy mainSpy_{&main_, &MainToolBar::Command};
    QSignalSpy drawSpy_{&draw_, &DrawToolBar::Command};
};

TEST_F(ToolBarTest, ButtonPlaces) {
    QList<int> drawX, mainX;
    for (int i : {0, 6, 7, 11, 16}) drawX << DrawToolBar::ButtonX(i);
    for (int i : {2, 3, 5, 9, 25}) mainX << MainToolBar::ButtonX(i);
    EXPECT_EQ(drawX, (QList<int>{0, 258, 317, 781, 941}));
    EXPECT_EQ(mainX, (QList<int>{86, 145, 247, 435, 1123}));
    EXPECT_EQ(MainToolBar::HoverRect(0), QRect(5, 0, 35, 42));
    EXPECT_EQ(draw_.FaceList()->geometry().left(), 470);
    EXPECT_EQ(draw_.SizeList()->geometry().left(), 625);
}

TEST_F(ToolBarTest, ClicksPostTheButtonsCommandOnce) {
    Click(&draw_, DrawToolBar::PressRect(1).center());
    Click(&draw_, DrawToolBar::PressRect(13).center());
    Click(&draw_, {462, 20});  // the empty place between Delete and the font list
    const QPoint zoomIn = MainToolBar::HoverRect(7).center();
    Click(&main_, zoomIn);
    SendMouse(&main_, QEvent::MouseButtonDblClick, zoomIn, Qt::LeftButton);
    SendMouse(&main_, QEvent::MouseButtonRelease, zoomIn, Qt::LeftButton);
    Click(&main_, MainToolBar::HoverRect(25).center());
    EXPECT_EQ(Posted(drawSpy_), (QList<int>{101, 113}));
    EXPECT_EQ(Posted(mainSpy_), (QList<int>{137, 155}));
    EXPECT_TRUE(DrawToolBar::HoverRect(DrawToolBar::kEmptyPlace).isEmpty());
    for (int i = 0; i < DrawToolBar::kButtons; ++i) EXPECT_EQ(draw_.State(i), kNormal) << i;
}

TEST_F(ToolBarTest, HoverPressAndReleaseStates) {
    const QPoint first = DrawToolBar::HoverRect(2).center();
    const QPoint second = DrawToolBar::HoverRect(3).center();
    SendMouse(&draw_, QEvent::MouseMove, first);
    EXPECT_EQ(draw_.State(2), kHover);
    // One move passes the highlight to the next button.
    SendMouse(&draw_, QEvent::MouseMove, second);
    EXPECT_EQ(draw_.State(2), kNormal);
    EXPECT_EQ(draw_.State(3), kHover);
    SendMouse(&draw_, QEvent::MouseButtonPress, second, Qt::LeftButton);
    EXPECT_EQ(draw_.State(3), kPressed);
    SendMouse(&draw_, QEvent::MouseButtonRelease, second, Qt::LeftButton);
    EXPECT_EQ(draw_.State(3), kHover);
    EXPECT_EQ(Posted(drawSpy_), QList<int>{103});
    Leave();
    EXPECT_EQ(draw_.State(3), kNormal);
    // Bold reacts only in its own strip: the 32 pixels ending at 817.
    SendMouse(&draw_, QEvent::MouseMove, {786, 10});
    EXPECT_EQ(draw_.State(11), kHover);
    SendMouse(&draw_, QEvent::MouseMove, {786, 36});
    EXPECT_EQ(draw_.State(11), kNormal);
}

TEST_F(ToolBarTest, PressDraggedOffTheButtonPostsNothing) {
    const QPoint on = DrawToolBar::HoverRect(4).center();
    SendMouse(&draw_, QEvent::MouseMove, on);
    SendMouse(&draw_, QEvent::MouseButtonPress, on, Qt::LeftButton);
    SendMouse(&draw_, QEvent::MouseMove, {on.x(), 60});
    SendMouse(&draw_, QEvent::MouseButtonRelease, {on.x(), 60}, Qt::LeftButton);
    // The top bar posts whatever is pressed, wherever the release is, but a
    // move off the button has already let go of it.
    const QPoint button = MainToolBar::HoverRect(0).center();
    const QPoint off(MainToolBar::ButtonX(0) + 2, 20);
    SendMouse(&main_, QEvent::MouseMove, button);
    SendMouse(&main_, QEvent::MouseButtonPress, button, Qt::LeftButton);
    SendMouse(&main_, QEvent::MouseMove, off, Qt::LeftButton);
    SendMouse(&main_, QEvent::MouseButtonRelease, off, Qt::LeftButton);
    EXPECT_EQ(drawSpy_.size() + mainSpy_.size(), 0);
}

TEST_F(ToolBarTest, FontListsOfferTheSizesWithTwentySelected) {
    QComboBox* sizes = draw_.SizeList();
    ASSERT_EQ(sizes->count(), 20);
    EXPECT_EQ(sizes->itemText(0) + " " + sizes->itemText(19) + " " + sizes->currentText(), "4 72 20");
    EXPECT_GT(draw_.FaceList()->count(), 0);

    QSignalSpy spy(&draw_, &DrawToolBar::FontChosen);
    draw_.FaceList()->addItem(QStringLiteral("宋体"));
    draw_.FaceList()->setCurrentText(QStringLiteral("宋体"));
    sizes->setCurrentText(QStringLiteral("36"));
    ASSERT_FALSE(spy.isEmpty());
    EXPECT_EQ(spy.last(), (QList<QVariant>{36, QStringLiteral("宋体")}));
    // No face selected: nothing is posted.
    draw_.FaceList()->setCurrentIndex(-1);
    const auto before = spy.size();
    sizes->setCurrentText(QStringLiteral("48"));
    EXPECT_EQ(spy.size(), before);

    // Song is offered, last, and selected where it has a stand-in.
    InstallFontSubstitutes();
    DrawToolBar chinese(UiLanguage::Chinese);
    EXPECT_EQ(chinese.FaceList()->currentText(), QStringLiteral("宋体"));
    EXPECT_EQ(chinese.FaceList()->currentIndex(), chinese.FaceList()->count() - 1);
}

TEST_F(ToolBarTest, TipsInBothLanguagesShownAfterHalfASecond) {
    const UiLanguage en = UiLanguage::English;
    const UiLanguage zh = UiLanguage::Chinese;
    EXPECT_EQ(DrawToolBar::TipText(en, 0), QStringLiteral("Selection"));
    EXPECT_EQ(DrawToolBar::TipText(zh, 3), QStringLiteral("一维条码"));
    EXPECT_EQ(DrawToolBar::TipText(en, 16), QStringLiteral("Right"));
    EXPECT_EQ(DrawToolBar::TipText(zh, 14), QStringLiteral("字体靠左"));
    EXPECT_TRUE(DrawToolBar::TipText(en, DrawToolBar::kEmptyPlace).isEmpty());
    EXPECT_EQ(MainToolBar::TipText(en, 5), QStringLiteral("Left Hand Ratation"));
    EXPECT_EQ(MainToolBar::TipText(en, 15), QStringLiteral("Horizion Center"));
    EXPECT_EQ(MainToolBar::TipText(en, 24), QStringLiteral("Equal spacing between levels"));
    EXPECT_EQ(MainToolBar::TipText(zh, 24), QStringLiteral("水平间等间距"));
    EXPECT_EQ(MainToolBar::TipText(zh, 7), QStringLiteral("放大"));

    SendMouse(&draw_, QEvent::MouseMove, DrawToolBar::HoverRect(1).center());
    QTest::qWait(200);
    EXPECT_FALSE(QToolTip::isVisible());
    QTest::qWait(450);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Text"));
    Leave();
    for (int i = 0; i < 20 && QToolTip::isVisible(); ++i) QTest::qWait(50);
    EXPECT_FALSE(QToolTip::isVisible());
}

}  // namespace
}  // namespace kestrix
