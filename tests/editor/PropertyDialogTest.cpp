// The dialogs driven through their widgets on real elements: initial values,
// conversions, checks, the serialization dialog, the font chooser, the new
// label's refused sizes, and every control text in both languages.

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <functional>

#include "FrameFixture.h"
#include "dialogs/BarcodeDialog.h"
#include "dialogs/Code2DDialog.h"
#include "dialogs/DialogNumber.h"
#include "dialogs/DialogPrompts.h"
#include "dialogs/FontChoice.h"
#include "dialogs/ImageSizeDialog.h"
#include "dialogs/NewLabelDialog.h"
#include "dialogs/QtTranslation.h"
#include "dialogs/SerializationDialog.h"
#include "dialogs/ShapeDialog.h"
#include "dialogs/TextDialog.h"
#include "document/Symbologies.h"
#include "document/Units.h"
#include "render/GdiFont.h"

namespace kestrix {
namespace {

constexpr UiLanguage kEn = UiLanguage::English;
constexpr UiLanguage kZh = UiLanguage::Chinese;

template <typename T = QWidget>
T* Control(QWidget* dialog, const char* id) {
    T* control = dialog->findChild<T*>(QString::fromLatin1(id));
    EXPECT_TRUE(control) << id;
    return control;
}

void Type(QWidget* dialog, const char* id, const QString& text) { Control<QLineEdit>(dialog, id)->setText(text); }
QString Shown(QWidget* dialog, const char* id) { return Control<QLineEdit>(dialog, id)->text(); }
void Press(QWidget* dialog, const char* id) { Control<QPushButton>(dialog, id)->click(); }

// Runs `answer` on the modal window that opens next (a message box or a nested
// dialog), from inside that window's own event loop.
void OnNextModal(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
    });
}

// The next message box as "text|caption", closed.
void CatchMessage(QString& seen) {
    OnNextModal([&seen](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        seen = box ? box->text() + '|' + box->windowTitle() : QStringLiteral("not a message box");
        w->close();
    });
}

LabelElement Barcode() { return CreateElement(kBarcode, {0, 0}, u"0123456789"); }

// Sizes and the EAN-13 refusal through the real flow are in the double-click test below.
TEST(PropertyDialogs, BarcodeGivesBackWhatWasChosenAndChecksOnlyTheEan13Length) {
    TestApp();
    LabelElement e = Barcode();
    struct Case {
        const char* symbology;
        QString content;
        bool accepted;
    };
    const Case cases[] = {
        {"EAN-13", "590123412345", false},  // 12 digits
        {"EAN-13", "ABCDEFGHIJKLM", true},  // 13 characters of any kind
        {"EAN-13", "${EAN}", true},         // a field, filled from a data row when printed
        {"UPC_E", "0123456", true},        {"CODE_39", "", true},
    };
    for (const Case& c : cases) {
        BarcodeDialog b(kZh, e, BarcodeFields{e.nBarcodeType, "1", 38, 10, true});
        b.show();
        EXPECT_TRUE(Control<QCheckBox>(&b, "1034")->isChecked() && Control<QLabel>(&b, "unknownType")->isHidden());
        Control<QComboBox>(&b, "1015")->setCurrentText(QString::fromLatin1(c.symbology));
        Type(&b, "1018", c.content);
        Control<QCheckBox>(&b, "1034")->setChecked(false);
        QString message;
        if (!c.accepted) CatchMessage(message);
        Press(&b, "1");
        EXPECT_EQ(b.isVisible(), !c.accepted) << c.symbology;
        EXPECT_EQ(message, c.accepted ? "" : "BARCDOE_EAN13 条码需要13个字符|Dravel标签编辑器") << c.symbology;
        if (!c.accepted) continue;
        EXPECT_EQ(QString::fromLatin1(SymbologyLabel(b.Values().type)), c.symbology);
        EXPECT_EQ(b.Values().content, c.content);
        EXPECT_FALSE(b.Values().showText);
    }
    // An unknown symbology opens on the first entry.
    BarcodeDialog u(kEn, e, BarcodeFields{9999, "x", 1, 1, false});
    u.show();
    EXPECT_FALSE(Control<QLabel>(&u, "unknownType")->isHidden());
    EXPECT_EQ(u.Values().type, 20);
}

TEST(PropertyDialogs, Code2DAndTextDialogsGiveBackWhatWasEntered) {
    TestApp();
    Code2DDialog c(kEn, Code2DFields{71, "abc", 13});
    c.show();
    EXPECT_EQ(Control<QComboBox>(&c, "1015")->currentText() + "|" + Shown(&c, "1017") + "|" + Shown(&c, "1016"),
              "DATA_MATRIX|abc|13");
    Control<QComboBox>(&c, "1015")->setCurrentIndex(6);
    Type(&c, "1016", "25");
    Press(&c, "1");
    EXPECT_EQ(c.result(), QDialog::Accepted);
    EXPECT_EQ(c.Values().type, 84);  // MICROPDF417
    EXPECT_EQ(c.Values().sizeMm, 25);
    Code2DDialog unknown(kZh, {-3, "", 0});
    EXPECT_EQ(unknown.Values().type, 58);
    EXPECT_FALSE(Control<QLabel>(&unknown, "unknownType")->isHidden());

    LabelElement text = CreateElement(kText, {0, 0}, u"Hello");
    TextDialog t(kEn, text);
    t.show();
    EXPECT_EQ(Shown(&t, "1000"), "Hello");
    // A typed text longer than the element holds stops at 255 characters.
    Control<QLineEdit>(&t, "1000")->clear();
    QTest::keyClicks(Control<QLineEdit>(&t, "1000"), QString(300, u'x'));
    EXPECT_EQ(t.Text().size(), 255);
    Press(&t, "1");
    EXPECT_EQ(t.result(), QDialog::Accepted);
}

TEST(PropertyDialogs, SerializationOpensWithFixedNumbersAndWritesAllFourFieldsOnOk) {
    TestApp();
    LabelElement e = Barcode();
    e.nSerialMode = 2;
    e.nSerialStep = 7;
    e.nSerialLimit = 8;
    e.nSerialReset = 9;
    // Reached through the barcode dialog's Serialize button; the barcode
    // dialog's Cancel keeps what the serialization dialog wrote.
    BarcodeDialog barcode(kEn, e, BarcodeFields{});
    barcode.show();
    QStringList opened;
    OnNextModal([&opened](QWidget* w) {
        opened << Shown(w, "1042") << Shown(w, "1044") << Shown(w, "1045");
        EXPECT_TRUE(Control<QRadioButton>(w, "1037")->isChecked());
        Control<QRadioButton>(w, "1036")->setChecked(true);
        Type(w, "1042", "5");
        Type(w, "1044", "abc");
        Press(w, "1");
    });
    Press(&barcode, "3");
    Press(&barcode, "2");
    EXPECT_EQ(opened, (QStringList{"1", "99999", "1"}));
    EXPECT_EQ((std::array{e.nSerialMode, e.nSerialStep, e.nSerialLimit, e.nSerialReset}), (std::array{1, 5, 0, 1}));

    // Cancel changes nothing; a stored mode outside the three checks no button
    // and OK keeps it.
    LabelElement text = CreateElement(kText, {0, 0}, u"A-0099");
    text.nSerialMode = 5;
    for (const auto& [button, step] : {std::pair{"2", 0}, {"1", 3}}) {
        SerializationDialog serialization(kZh, text);
        serialization.show();
        for (const char* id : {"1035", "1036", "1037"})
            EXPECT_FALSE(Control<QRadioButton>(&serialization, id)->isChecked());
        Type(&serialization, "1042", "3");
        Press(&serialization, button);
        EXPECT_EQ((std::array{text.nSerialMode, text.nSerialStep}), (std::array{5, step})) << button;
    }
}

TEST(PropertyDialogs, ImageSizeInMillimetresOrPixelsKeepsTheProportion) {
    TestApp();
    LabelElement picture = CreatePictureElement({0, 0}, u"/p.png", 300, 200);  // 100 x 66 dots
    ImageSizeDialog d(kEn, picture, 203, 203);
    d.show();
    auto size = [&d] { return Shown(&d, "1001") + "x" + Shown(&d, "1003"); };
    QComboBox* widthUnit = Control<QComboBox>(&d, "1002");
    QComboBox* heightUnit = Control<QComboBox>(&d, "1004");
    EXPECT_EQ(size(), "13x8");
    EXPECT_TRUE(Control<QCheckBox>(&d, "1005")->isChecked());
    Type(&d, "1003", "50");  // typed, then a unit choice: both come from the element again
    heightUnit->setCurrentIndex(1);
    EXPECT_EQ(size() + " " + widthUnit->currentText(), "100x66 Pixel");
    Type(&d, "1001", "200");
    EXPECT_EQ(size(), "200x133");
    Press(&d, "1");
    EXPECT_EQ(QSize(picture.nWidth, picture.nHeight), QSize(200, 133));

    // Millimetres go back to dots; without the lock the height stays as typed.
    ImageSizeDialog m(kZh, picture, 203, 300);
    m.show();
    Type(&m, "1001", "20");
    EXPECT_EQ(Shown(&m, "1003"), "13");
    Control<QCheckBox>(&m, "1005")->setChecked(false);
    Type(&m, "1001", "30");
    Type(&m, "1003", "10");
    Press(&m, "1");
    EXPECT_EQ(QSize(picture.nWidth, picture.nHeight), QSize(MmToDots(30, 203), MmToDots(10, 300)));

    // A picture whose own size is unknown has no proportion to keep.
    picture.nSrcWidth = 0;
    ImageSizeDialog u(kEn, picture, 203, 203);
    u.show();
    EXPECT_FALSE(Control<QCheckBox>(&u, "1005")->isChecked() || Control<QCheckBox>(&u, "1005")->isEnabled());
    const QString height = Shown(&u, "1003");
    Type(&u, "1001", "99");
    EXPECT_EQ(Shown(&u, "1003"), height);
}

// Typed numbers count by their leading digits, saturated; a height kept in
// proportion is truncated and saturated too.
TEST(PropertyDialogs, TypedNumbersAndProportionalHeights) {
    const std::pair<const char*, int> typed[] = {{" 42mm", 42},
                                                 {"-5", -5},
                                                 {"+7", 7},
                                                 {"abc", 0},
                                                 {"", 0},
                                                 {"99999999999", 2147483647},
                                                 {"-99999999999", -2147483647}};
    for (const auto& [text, value] : typed) EXPECT_EQ(ReadDialogInt(QString::fromLatin1(text)), value) << text;
    const int cases[][4] = {
        // width, source width, source height, height
        {200, 300, 200, 133},
        {-5, 300, 200, -3},
        {2147483647, 1, 2147483647, 2147483647},
        {-2147483647, 1, 2147483647, -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(ImageSizeDialog::ProportionalHeight(c[0], c[1], c[2]), c[3]) << c[0];
}

TEST(PropertyDialogs, ShapeProposesACornerCentresTheApexAndRefusesUnknownTypes) {
    TestApp();
    LabelElement shape = CreateElement(kShape, {0, 0});
    shape.nEndX = 40;
    ShapeDialog d(kEn, shape);
    d.show();
    QComboBox* type = Control<QComboBox>(&d, "1049");
    EXPECT_EQ(type->currentText() + " " + Shown(&d, "1051") + " " + Shown(&d, "1053"), "Rectangle 4 0");
    type->setCurrentIndex(1);
    emit type->activated(1);  // the user's choice
    EXPECT_EQ(Shown(&d, "1053"), "30");
    type->setCurrentIndex(3);
    emit type->activated(3);
    Type(&d, "1051", "abc");
    Press(&d, "1");
    EXPECT_EQ((std::array{shape.nShapeType, shape.nLineWidth, shape.nCornerSize, shape.nEndX}),
              (std::array{3, 0, 30, -1}));

    // A shape with a corner keeps it when the same choice is made; typed text
    // must name a type.
    shape.nCornerSize = 12;
    ShapeDialog a(kZh, shape);
    a.show();
    emit Control<QComboBox>(&a, "1049")->activated(1);
    EXPECT_EQ(Shown(&a, "1053"), "12");
    Control<QComboBox>(&a, "1049")->setEditText("Hexagon");
    QString message;
    CatchMessage(message);
    Press(&a, "1");
    EXPECT_TRUE(a.isVisible());
    EXPECT_EQ(message, "请从列表中选择形状类型。|形状设置");
    EXPECT_EQ(shape.nShapeType, 3);
    Control<QComboBox>(&a, "1049")->setEditText(" 椭圆形");
    Press(&a, "1");
    EXPECT_EQ(shape.nShapeType, 2);
    EXPECT_FALSE(a.isVisible());
}

// The wiring itself: a double click on the canvas opens the real dialog, and
// its OK reaches the element with a snapshot.
TEST_F(FrameTest, ADoubleClickOpensTheRealDialogAndItsOkChangesTheElement) {
    static DialogPrompts real(kEn);  // outlives the frame
    MakeFrame(kEn, &real);
    const auto at = [this](int x, int y) { return QPoint(int(x * Canvas().ScaleX()), int(y * Canvas().ScaleY())); };
    Elements() = {MakeElement(kText, 10, 10, 100, 40, true)};
    QString opened;
    OnNextModal([&opened](QWidget* w) {
        opened = Shown(w, "1000");
        Type(w, "1000", "Changed");
        Press(w, "1");
    });
    DoubleClick(&Canvas(), at(15, 15));
    EXPECT_EQ(opened, "12345");
    EXPECT_TRUE(ElementText(Elements()[0]) == u"Changed" && Snapshots() == 1 && Frame().isWindowModified());
    // Serialize writes at once: the text dialog's Cancel keeps it, and the close question knows.
    ASSERT_TRUE(Label().Session().SaveLabel(TempPath("saved.lab")));
    OnNextModal([](QWidget* w) {
        OnNextModal([](QWidget* s) {
            Control<QRadioButton>(s, "1036")->setChecked(true);
            Press(s, "1");
        });
        Press(w, "3");
        Press(w, "2");
    });
    DoubleClick(&Canvas(), at(15, 15));
    EXPECT_TRUE(Elements()[0].nSerialMode == 1 && Snapshots() == 2 && Frame().isWindowModified());

    Elements() = {MakeElement(kBarcode, 10, 10, 300, 80, true)};
    QString message;
    OnNextModal([&](QWidget* w) {
        opened = Shown(w, "1001") + "x" + Shown(w, "1003");
        Control<QComboBox>(w, "1015")->setCurrentText("EAN-13");
        Type(w, "1018", "590123412345");
        CatchMessage(message);
        Press(w, "1");  // refused: the dialog stays open
        Type(w, "1018", "5901234123457");
        Press(w, "1");
    });
    DoubleClick(&Canvas(), at(15, 15));
    EXPECT_EQ(opened + " " + message, "38x10 An EAN-13 barcode needs 13 digits.|Kestrix");
    const LabelElement& code = Elements()[0];
    EXPECT_EQ((std::array{code.nWidth, code.nHeight, code.nBarcodeType}), (std::array{304, 80, kBuiltinEan13}));
    EXPECT_TRUE(ElementText(code) == u"5901234123457" && Snapshots() == 3);
}

// Every dialog takes the interface's language: its title in English and in Chinese.
TEST(PropertyDialogs, TitlesInBothLanguages) {
    TestApp();
    LabelElement e = Barcode();
    const std::tuple<std::function<QDialog*(UiLanguage)>, const char*, const char*> rows[] = {
        {[&](UiLanguage l) { return new TextDialog(l, e); }, "Text Properties", "输入文字"},
        {[&](UiLanguage l) { return new BarcodeDialog(l, e, BarcodeFields{}); }, "Barcode Properties", "条形码设置"},
        {[](UiLanguage l) {
             return new Code2DDialog(l, Code2DFields{58, "x", 10});
         },
         "2D Properties", "二维码属性"},
        {[&](UiLanguage l) { return new ImageSizeDialog(l, e, 203, 203); }, "Image Properties", "修改图片尺寸"},
        {[&](UiLanguage l) { return new ShapeDialog(l, e); }, "Shape Properties", "形状设置"},
        {[](UiLanguage l) { return new NewLabelDialog(l); }, "New Label", "新建标签"},
        {[&](UiLanguage l) { return new SerializationDialog(l, e); }, "Serialization", "序列化设置"},
    };
    for (const auto& [make, english, chinese] : rows)
        for (UiLanguage language : {kEn, kZh}) {
            const std::unique_ptr<QDialog> dialog(make(language));
            EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(language == kEn ? english : chinese));
        }
}

TEST(PropertyDialogs, QtsOwnDialogsSpeakChineseInTheChineseInterface) {
    QApplication& app = TestApp();
    const auto translated = [] {
        return QStringList{QCoreApplication::translate("QFileDialog", "Look in:"),
                           QCoreApplication::translate("QPlatformTheme", "Cancel"),
                           QCoreApplication::translate("QFontDialog", "Select Font")};
    };
    EXPECT_TRUE(InstallQtTranslation(app, kEn));
    EXPECT_EQ(translated(), (QStringList{"Look in:", "Cancel", "Select Font"}));
    ASSERT_TRUE(InstallQtTranslation(app, kZh));
    const QStringList chinese = translated();
    qDeleteAll(app.findChildren<QTranslator*>());  // the other tests run in English
    EXPECT_EQ(chinese, (QStringList{"查找范围：", "取消", "选择字体"}));
}

TEST(FontChoice, StartsFromTheBlockAndWritesTheChoiceBackInScreenPixels) {
    TestApp();
    LogFont lf = CreateElement(kText, {0, 0}).logFont;  // the Song face, as every text starts
    std::tie(lf.lfHeight, lf.lfWeight, lf.lfItalic, lf.lfOrientation) = std::tuple(-16, 700, 1, 77);
    const QFont start = DialogFont(lf, 96);
    EXPECT_EQ(start.pointSizeF(), 12.0);
    EXPECT_TRUE(start.bold() && start.italic() && !start.underline());
    EXPECT_EQ(start.family(), QFontInfo(GdiFont(lf, {}, true).Font()).family()) << "an installed face to offer";

    for (const auto& [family, charset] : {std::pair{QStringLiteral("DejaVu Sans"), 0}, {start.family(), 134}}) {
        if (!QFontDatabase::families().contains(family)) continue;
        QFont chosen(family);
        chosen.setPointSizeF(10.5);
        chosen.setWeight(QFont::Normal);
        chosen.setItalic(false);
        chosen.setUnderline(true);
        chosen.setStrikeOut(true);
        TakeDialogFont(lf, chosen, 120);
        EXPECT_EQ(QString::fromStdU16String(FaceName(lf)), family);
        EXPECT_EQ((std::array{lf.lfHeight, lf.lfWeight, int(lf.lfItalic), int(lf.lfUnderline), int(lf.lfStrikeOut),
                              int(lf.lfCharSet), lf.lfOrientation}),
                  (std::array{-18, 400, 0, 1, 1, charset, 77}));
    }
}

// The chooser picks a style by its name and, failing that, takes the first of
// the face's list, which may well be an oblique one.
TEST(FontChoice, TheChooserOpensOnTheBlocksWeightAndSlant) {
    TestApp();
    if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))) GTEST_SKIP() << "no DejaVu Sans";
    LogFont lf{};
    SetFaceName(lf, u"DejaVu Sans");
    lf.lfHeight = -16;
    for (const auto& [weight, italic] : {std::pair{400, 0}, {700, 0}, {900, 0}, {400, 1}, {900, 1}}) {
        std::tie(lf.lfWeight, lf.lfItalic) = std::pair(weight, uint8_t(italic));
        QFontDialog chooser;
        chooser.setCurrentFont(DialogFont(lf, 96));
        const QFont shown = chooser.currentFont();
        EXPECT_EQ(shown.italic(), italic != 0) << weight;
        EXPECT_EQ(shown.bold(), weight >= 700) << weight;
    }
}

TEST(NewLabelDialog, TextsAndRefusedSizes) {
    TestApp();
    NewLabelDialog dialog(UiLanguage::Chinese);
    EXPECT_EQ(dialog.WidthEdit()->text() + "x" + dialog.HeightEdit()->text(), QStringLiteral("50x70"));
    QStringList complaints;
    dialog.SetComplaint([&](const QString& text) { complaints << text; });
    dialog.show();
    dialog.HeightEdit()->setText(QStringLiteral("1"));
    for (const char* width : {"0", "2001", "abc", "-5", "2000"}) {
        dialog.WidthEdit()->setText(QString::fromLatin1(width));
        dialog.accept();
        EXPECT_EQ(dialog.isVisible(), QByteArray(width) != "2000") << width;
    }
    EXPECT_EQ(complaints.size(), 4);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.LabelSize(), QSize(2000, 1));
}

}  // namespace
}  // namespace kestrix
