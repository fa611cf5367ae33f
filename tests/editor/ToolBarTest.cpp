// Both tool bars: the font lists, the tips, and hover, press and release posting
// command numbers. (The overflow menus of a narrow window: editing_window.py.)

#include <QComboBox>
#include <QSignalSpy>

#include "FrameFixture.h"
#include "app/DrawToolBar.h"
#include "app/MainToolBar.h"
#include "render/GdiFont.h"

namespace kestrix {
namespace {

class ToolBarTest : public ::testing::Test {
protected:
    // The application exists before the bars that are members of the fixture.
    static void SetUpTestSuite() { TestApp(); }
    void SetUp() override {
        main_.setGeometry(0, 0, 1200, 42);
        draw_.setGeometry(0, 42, 1200, 42);
        main_.show();
        draw_.show();
    }

    MainToolBar main_{UiLanguage::English};
    DrawToolBar draw_{UiLanguage::English};
    QSignalSpy mainSpy_{&main_, &MainToolBar::Command};
    QSignalSpy drawSpy_{&draw_, &DrawToolBar::Command};
};

TEST_F(ToolBarTest, FontListsAndTips) {
    // Twenty sizes from 4 to 72 with 20 selected; Song offered last, and selected where it has a stand-in.
    QComboBox* sizes = draw_.SizeList();
    EXPECT_EQ(QString::number(sizes->count()) + ": " + sizes->itemText(0) + "-" + sizes->itemText(19) + ", " +
                  sizes->currentText(),
              "20: 4-72, 20");
    InstallFontSubstitutes();
    DrawToolBar chinese(UiLanguage::Chinese);
    EXPECT_EQ(chinese.FaceList()->currentText(), QStringLiteral("宋体"));
    EXPECT_EQ(chinese.FaceList()->currentIndex(), chinese.FaceList()->count() - 1);

    EXPECT_EQ(DrawToolBar::TipText(UiLanguage::Chinese, 3) + MainToolBar::TipText(UiLanguage::English, 24) +
                  DrawToolBar::TipText(UiLanguage::English, DrawToolBar::kEmptyPlace),
              QStringLiteral("一维条码Equal Horizontal Spacing"));
}

TEST_F(ToolBarTest, ClicksPostTheButtonsCommandOnceWithHoverAndPressStates) {
    Click(&draw_, DrawToolBar::PressRect(1).center());
    Click(&draw_, DrawToolBar::PressRect(13).center());
    Click(&draw_, {462, 20});  // the empty place between Delete and the font list
    for (int align : {14, 15, 16}) Click(&draw_, DrawToolBar::PressRect(align).center());  // disabled
    const QPoint zoomIn = MainToolBar::HoverRect(7).center();
    Click(&main_, zoomIn);
    SendMouse(&main_, QEvent::MouseButtonDblClick, zoomIn, Qt::LeftButton);
    SendMouse(&main_, QEvent::MouseButtonRelease, zoomIn, Qt::LeftButton);
    Click(&main_, MainToolBar::HoverRect(25).center());
    EXPECT_EQ(drawSpy_, (QList<QVariantList>{{101}, {113}}));
    EXPECT_EQ(mainSpy_, (QList<QVariantList>{{137}, {155}}));
    EXPECT_TRUE(DrawToolBar::HoverRect(DrawToolBar::kEmptyPlace).isEmpty());
    for (int i = 0; i < DrawToolBar::kButtons; ++i) EXPECT_EQ(draw_.State(i), kNormal) << i;

    // A press dragged off a draw button posts nothing. The top bar posts whatever is
    // pressed, wherever the release is, but a move off the button has let go of it.
    Drag(&draw_, DrawToolBar::HoverRect(4).center(), {DrawToolBar::HoverRect(4).center().x(), 60});
    Drag(&main_, MainToolBar::HoverRect(0).center(), {MainToolBar::ButtonX(0) + 2, 20});
    EXPECT_EQ(drawSpy_.size() + mainSpy_.size(), 4);
    drawSpy_.clear();

    // Hover passes from button to button; a press and release in place posts once.
    const auto states = [&] { return QList<int>{draw_.State(2), draw_.State(3)}; };
    const QPoint second = DrawToolBar::HoverRect(3).center();
    SendMouse(&draw_, QEvent::MouseMove, DrawToolBar::HoverRect(2).center());
    EXPECT_EQ(states(), (QList<int>{kHover, kNormal}));
    SendMouse(&draw_, QEvent::MouseMove, second);  // one move passes the highlight on
    EXPECT_EQ(states(), (QList<int>{kNormal, kHover}));
    SendMouse(&draw_, QEvent::MouseButtonPress, second, Qt::LeftButton);
    EXPECT_EQ(states(), (QList<int>{kNormal, kPressed}));
    SendMouse(&draw_, QEvent::MouseButtonRelease, second, Qt::LeftButton);
    EXPECT_EQ(states(), (QList<int>{kNormal, kHover}));
    EXPECT_EQ(drawSpy_, QList<QVariantList>{{103}});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&draw_, &leave);
    EXPECT_EQ(states(), (QList<int>{kNormal, kNormal}));
}

// The lists show the selection's font without choosing it; a size or face
// they lack joins them in order; the Song face reads SimSun in English.
TEST_F(ToolBarTest, TheFontListsShowTheSelectionsFontWithoutChoosingIt) {
    QSignalSpy chosen(&draw_, &DrawToolBar::FontChosen);
    draw_.ShowFont(QStringLiteral("宋体"), 13);
    EXPECT_EQ(draw_.FaceList()->currentText(), QStringLiteral("SimSun"));
    EXPECT_EQ(draw_.SizeList()->currentText(), QStringLiteral("13"));
    EXPECT_EQ(draw_.SizeList()->itemText(draw_.SizeList()->currentIndex() - 1), QStringLiteral("12"));
    draw_.ShowFont(QStringLiteral("宋体"), 36);
    EXPECT_EQ(draw_.SizeList()->count(), 21);
    EXPECT_TRUE(chosen.isEmpty());
    draw_.SizeList()->setCurrentIndex(draw_.SizeList()->findText(QStringLiteral("48")));
    EXPECT_EQ(chosen, (QList<QVariantList>{{48, QStringLiteral("宋体")}}));
}

}  // namespace
}  // namespace kestrix
