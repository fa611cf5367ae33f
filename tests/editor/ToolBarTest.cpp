// Both tool bars: button places, the font lists, the tips in both languages,
// and hover, press and release posting command numbers.

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

TEST_F(ToolBarTest, ButtonPlacesFontListsAndTips) {
    QList<int> x;
    for (int i : {0, 6, 7, 11, 16}) x << DrawToolBar::ButtonX(i);
    for (int i : {2, 3, 5, 9, 25}) x << MainToolBar::ButtonX(i);
    x << draw_.FaceList()->geometry().left() << draw_.SizeList()->geometry().left();
    EXPECT_EQ(x, (QList<int>{0, 258, 317, 781, 941, 86, 145, 247, 435, 1123, 470, 625}));
    EXPECT_EQ(MainToolBar::HoverRect(0), QRect(5, 0, 35, 42));
    // Twenty sizes from 4 to 72 with 20 selected; Song offered last, and selected where it has a stand-in.
    QComboBox* sizes = draw_.SizeList();
    EXPECT_EQ(QString::number(sizes->count()) + ": " + sizes->itemText(0) + "-" + sizes->itemText(19) + ", " +
                  sizes->currentText(),
              "20: 4-72, 20");
    InstallFontSubstitutes();
    DrawToolBar chinese(UiLanguage::Chinese);
    EXPECT_EQ(chinese.FaceList()->currentText(), QStringLiteral("宋体"));
    EXPECT_EQ(chinese.FaceList()->currentIndex(), chinese.FaceList()->count() - 1);

    constexpr UiLanguage en = UiLanguage::English, zh = UiLanguage::Chinese;
    EXPECT_EQ((QStringList{DrawToolBar::TipText(en, 0), DrawToolBar::TipText(zh, 3), DrawToolBar::TipText(en, 16),
                           DrawToolBar::TipText(zh, 14), DrawToolBar::TipText(en, DrawToolBar::kEmptyPlace)}),
              (QStringList{"Selection", "一维条码", "Align Text Right", "字体靠左", ""}));
    EXPECT_EQ((QStringList{MainToolBar::TipText(en, 5), MainToolBar::TipText(en, 15), MainToolBar::TipText(en, 24),
                           MainToolBar::TipText(zh, 24), MainToolBar::TipText(zh, 7)}),
              (QStringList{"Rotate Left", "Horizontal Center", "Equal Horizontal Spacing", "水平间等间距", "放大"}));
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

// A bar narrower than its buttons ends in an overflow button whose menu
// holds every button beyond it, each posting its command.
TEST_F(ToolBarTest, ANarrowBarReachesEveryButtonThroughItsOverflowMenu) {
    EXPECT_TRUE(main_.OverflowRect().isNull() && draw_.OverflowRect().isNull()) << "everything fits at 1200";
    main_.resize(900, 42);
    draw_.resize(900, 42);
    QObject owner;
    for (ToolBarWindow* bar : {static_cast<ToolBarWindow*>(&main_), static_cast<ToolBarWindow*>(&draw_)}) {
        ASSERT_EQ(bar->OverflowRect(), QRect(878, 0, 22, 42));
        QStringList tips;
        for (QAction* a : bar->OverflowActions(&owner)) {
            tips << a->text() + (a->isEnabled() ? "" : " (off)");
            a->trigger();
        }
        if (bar == &main_)
            EXPECT_EQ(tips, (QStringList{"Bottom Align", "Bring to Front", "Send to Back", "Bring Forward",
                                         "Send Backward", "Equal Horizontal Spacing", "Equal Vertical Spacing"}));
        else
            EXPECT_EQ(tips, (QStringList{"Underline", "Align Text Left (off)", "Center Text (off)",
                                         "Align Text Right (off)"}));
    }
    EXPECT_EQ(mainSpy_, (QList<QVariantList>{{149}, {150}, {151}, {152}, {153}, {154}, {155}}));
    EXPECT_EQ(drawSpy_, (QList<QVariantList>{{113}}));
    // A button under the overflow button no longer highlights.
    SendMouse(&main_, QEvent::MouseMove, MainToolBar::HoverRect(24).center());
    EXPECT_EQ(main_.State(24), kNormal);
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
