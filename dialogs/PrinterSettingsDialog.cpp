#include "dialogs/PrinterSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"

namespace kestrix {

namespace {

struct Choice {
    int value;
    UiTexts text;
};

constexpr Choice kLabelTypes[] = {
    {0, {"Labels with gaps between them", "有间隙的标签纸"}},
    {1, {"Labels with black marks", "有黑标的标签纸"}},
    {2, {"Continuous stock", "连续纸"}},
};
constexpr Choice kSavePaper[] = {
    {0, {"From the printed content — saves paper on continuous stock", "按打印内容计算——连续纸上节省纸张"}},
    {1, {"The label's own height — for labels with gaps or marks", "标签本身的高度——用于有间隙或黑标的标签纸"}},
};
constexpr Choice kCutting[] = {
    {0, {"Peel off each label", "剥离每张标签"}},
    {1, {"Tear off", "撕纸"}},
    {2, {"Cut once after the batch", "整批打印完后切一次"}},
    {3, {"Cut after every few labels", "每隔几张切一次"}},
};

// A value the list has no entry for (a hand-edited file) is shown as an entry
// of its own, saying what it does, so OK keeps it.
QComboBox* ChoiceList(UiLanguage language, std::span<const Choice> choices, int value, const QString& other) {
    auto* list = new QComboBox;
    for (const Choice& c : choices) list->addItem(UiText(language, c.text), c.value);
    if (list->findData(value) < 0) list->addItem(other.arg(value), value);
    list->setCurrentIndex(list->findData(value));
    return list;
}

// The range accepted, widened to show a value from the file that lies outside
// it (OK then says what is wrong).
QSpinBox* NumberBox(int value, SettingRange range, int shownAbove = 0) {
    auto* box = new QSpinBox;
    box->setRange(std::min<int>(range.low, value) + shownAbove, std::max<int>(range.high, value) + shownAbove);
    box->setValue(value + shownAbove);
    return box;
}

QLabel* Explanation(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    label->setFont(small);
    return label;
}

}  // namespace

PrinterSettingsDialog::PrinterSettingsDialog(UiLanguage language, const QString& path, QWidget* parent)
    : QDialog(parent), language_(language), path_(path.isEmpty() ? PrinterSettingsPath() : path) {
    LoadPrinterSettings(loaded_, path_);
    const PrinterSettings& s = loaded_;
    setWindowTitle(UiText(language, "Printer Settings", "打印机设置"));
    speed_ = NumberBox(s.Speed, kSpeedRange, 1);
    density_ = NumberBox(s.Density, kDensityRange, 1);
    labelType_ = ChoiceList(language, kLabelTypes, s.LabelType,
                            UiText(language, "%1: as labels with gaps", "%1：按有间隙的标签纸"));
    gap_ = new QLineEdit(s.Gap);
    savePaper_ =
        ChoiceList(language, kSavePaper, s.SavePaper,
                   UiText(language, "%1: from the printed content, blank rows kept", "%1：按打印内容计算，保留空白行"));
    cutting_ =
        ChoiceList(language, kCutting, s.Cutting, UiText(language, "%1: no cutter commands", "%1：不发送切刀命令"));
    cutEvery_ = NumberBox(s.CuttingEveryLabel, kCutEveryRange);
    offset_ = new QLineEdit(s.Offset);
    media_ = NumberBox(s.Media, kMediaRange);
    problem_ = new QLabel;
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    problem_->hide();

    const auto mm = [](QLineEdit* edit) {
        edit->setMaxLength(kSettingTextChars);
        return edit;
    };
    auto* form = new QFormLayout;
    form->addRow(UiText(language, "Print speed:", "打印速度："), speed_);
    form->addRow(UiText(language, "Darkness:", "打印浓度："), density_);
    form->addRow(Explanation(UiText(language,
                                    "Slower printing and more darkness give blacker bars; sent as SPEED and "
                                    "DENSITY, in the printer's own steps.",
                                    "速度越慢、浓度越高，条码越黑；以打印机自己的档位发送（SPEED、DENSITY）。")));
    form->addRow(UiText(language, "Label stock:", "标签纸："), labelType_);
    form->addRow(UiText(language, "Gap or black mark (mm):", "间隙或黑标高度（毫米）："), mm(gap_));
    form->addRow(Explanation(UiText(language,
                                    "The printer finds the start of each label by its gap or black mark; "
                                    "continuous stock has neither.",
                                    "打印机靠间隙或黑标找到每张标签的起点；连续纸没有这两者。")));
    form->addRow(UiText(language, "Label length:", "标签长度："), savePaper_);
    form->addRow(Explanation(UiText(language,
                                    "From the printed content, blank paper above the content is cut to 10 mm "
                                    "and the label ends 10 mm below it.",
                                    "按打印内容计算时，内容上方的空白缩减到 10 毫米，标签在内容下方 10 毫米处结束。")));
    form->addRow(UiText(language, "After printing:", "打印后："), cutting_);
    form->addRow(UiText(language, "Cut after every (labels):", "每隔几张切一次："), cutEvery_);
    form->addRow(UiText(language, "Feed offset (mm):", "走纸偏移（毫米）："), mm(offset_));
    form->addRow(Explanation(UiText(language,
                                    "How far the paper moves on after printing (negative: back), to reach "
                                    "the tear bar or cutter.",
                                    "打印后纸张再走多远（负数为后退），以便撕纸或切纸。")));
    form->addRow(UiText(language, "Media type:", "介质类型："), media_);
    form->addRow(Explanation(UiText(language, "Kept for other printer tools; printing does not use it.",
                                    "为其他打印机工具保留，打印时不使用。")));

    const auto follow = [this] {
        gap_->setEnabled(labelType_->currentData().toInt() != 2);
        cutEvery_->setEnabled(cutting_->currentData().toInt() == 3);
    };
    connect(labelType_, &QComboBox::currentIndexChanged, this, follow);
    connect(cutting_, &QComboBox::currentIndexChanged, this, follow);
    follow();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Explanation(UiText(language,
                                         "How Direct Send drives the label printer. Printing through a "
                                         "driver does not use these. Kept in %1.",
                                         "直接发数据给打印机时的设置，通过驱动打印时不使用。保存在 %1。")
                                      .arg(QDir::toNativeSeparators(path_))));
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(OkCancelButtons(this, UiText(language, "OK", "确定"), UiText(language, "Cancel", "取消")));
}

PrinterSettings PrinterSettingsDialog::Settings() const {
    PrinterSettings s = loaded_;
    s.Speed = speed_->value() - 1;
    s.Density = density_->value() - 1;
    s.LabelType = labelType_->currentData().toInt();
    s.Gap = gap_->text().trimmed();
    s.SavePaper = savePaper_->currentData().toInt();
    s.Cutting = cutting_->currentData().toInt();
    s.CuttingEveryLabel = cutEvery_->value();
    s.Offset = offset_->text().trimmed();
    s.Media = media_->value();
    return s;
}

void PrinterSettingsDialog::Refuse(const QString& why) {
    problem_->setText(why);
    problem_->show();
}

void PrinterSettingsDialog::accept() {
    const PrinterSettings s = Settings();
    if (const QStringList problems = PrinterSettingsProblems(s, language_); !problems.isEmpty())
        return Refuse(problems.join(u'\n'));
    QString error;
    if (!SavePrinterSettings(s, path_, &error))
        return Refuse(UiText(language_, "The settings cannot be saved in %1: %2\nThe file is unchanged.",
                             "无法保存设置到 %1：%2\n文件没有改变。")
                          .arg(QDir::toNativeSeparators(path_), error));
    QDialog::accept();
}

}  // namespace kestrix
