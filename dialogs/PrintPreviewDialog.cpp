#include "dialogs/PrintPreviewDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "dialogs/DialogNumber.h"
#include "dialogs/PrintableLabel.h"
#include "print/DriverPrint.h"

namespace kestrix {

namespace {

// 475 x 301 dialog units of the dialog's 9-point font.
constexpr QSize kDialogSize(712, 489);
constexpr int kMaxPrinterName = 255;

}  // namespace

QRect FitPreviewLabel(const QRect& frame, const QSize& displayed) {
    if (displayed.width() <= 0 || displayed.height() <= 0) return {};
    int width = 0;
    int height = 0;
    if (displayed.width() > displayed.height()) {
        width = frame.width() - 20;
        height = displayed.height() * width / displayed.width();
    } else {
        height = frame.height() - 20;
        width = displayed.width() * height / displayed.height();
    }
    return {frame.left() + (frame.width() - width) / 2, frame.top() + (frame.height() - height) / 2 + 3, width, height};
}

PrintPreviewDialog::PrintPreviewDialog(UiLanguage language, PrintableLabel& label, QWidget* parent)
    : QDialog(parent),
      label_(label),
      printers_(new QComboBox),
      copies_(new QLineEdit(QStringLiteral("1"))),
      frame_(new QGroupBox(UiText(language, "Preview", "预览"))) {
    setWindowTitle(UiText(language, "Print Preview", "打印预览"));
    printers_->setObjectName(QStringLiteral("1011"));
    copies_->setObjectName(QStringLiteral("1013"));
    frame_->setObjectName(QStringLiteral("1014"));
    copies_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), copies_));

    const QStringList names = QPrinterInfo::availablePrinterNames();
    printers_->addItems(names);
    printers_->setCurrentIndex(std::max<qsizetype>(0, names.indexOf(QPrinterInfo::defaultPrinterName())));

    auto* printerGroup = new QGroupBox(UiText(language, "Printer", "打印机"));
    auto* properties = new QPushButton(UiText(language, "Properties...", "属性"));
    properties->setObjectName(QStringLiteral("1012"));
    auto* printerGrid = new QGridLayout(printerGroup);
    printerGrid->addWidget(new QLabel(UiText(language, "Name:", "名称：")), 0, 0);
    printerGrid->addWidget(printers_, 0, 1);
    printerGrid->addWidget(properties, 1, 1, Qt::AlignRight);
    printerGrid->setColumnStretch(1, 1);

    auto* settingsGroup = new QGroupBox(UiText(language, "Settings", "设置"));
    auto* settingsGrid = new QGridLayout(settingsGroup);
    settingsGrid->addWidget(new QLabel(UiText(language, "Copies:", "打印份数：")), 0, 0);
    settingsGrid->addWidget(copies_, 0, 1);

    auto* print = new QPushButton(UiText(language, "Print", "打印"));
    print->setObjectName(QStringLiteral("1019"));

    auto* side = new QVBoxLayout;
    side->addWidget(printerGroup);
    side->addWidget(settingsGroup);
    side->addStretch(1);
    side->addWidget(print);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side, 0);
    layout->addWidget(frame_, 1);
    printerGroup->setFixedWidth(240);
    settingsGroup->setFixedWidth(240);
    setFixedSize(kDialogSize);

    connect(properties, &QPushButton::clicked, this, &PrintPreviewDialog::ShowProperties);
    connect(print, &QPushButton::clicked, this, &PrintPreviewDialog::PrintLabel);
}

QRect PrintPreviewDialog::LabelRect() const {
    // The frame as drawn: a Qt group box keeps its caption above the border.
    const QRect frame = frame_->geometry().adjusted(0, frame_->fontMetrics().height(), 0, 0);
    return FitPreviewLabel(frame, label_.DisplayedSize());
}

void PrintPreviewDialog::PrintLabel() {
    label_.DriverPrint(printers_->currentText().left(kMaxPrinterName), ReadDialogInt(copies_->text()));
}

void PrintPreviewDialog::ShowProperties() {
    if (printers_->currentText().isEmpty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(printers_->currentText());
    SetLabelPaper(printer, label_.LabelWidthMm(), label_.LabelHeightMm());
    // As with the driver's own properties, nothing chosen here changes the job.
    QPageSetupDialog dialog(&printer, this);
    ShowLabelPaper(dialog, label_.LabelWidthMm(), label_.LabelHeightMm());
    dialog.exec();
}

void ShowLabelPaper(QPageSetupDialog& dialog, int widthMm, int heightMm) {
    // Qt's page setup lists only the queue's own papers and falls back to its
    // default one for any other size: its custom entry (the one without a
    // paper behind it) is chosen and filled in, in millimetres.
    auto* units = dialog.findChild<QComboBox*>(QStringLiteral("unitCombo"));
    auto* papers = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
    auto* width = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageWidth"));
    auto* height = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageHeight"));
    if (!units || !papers || !width || !height) return;
    units->setCurrentIndex(units->findData(QVariant::fromValue(QPageLayout::Millimeter)));
    for (int i = papers->count() - 1; i >= 0; --i) {
        if (papers->itemData(i).isValid()) continue;
        papers->setCurrentIndex(i);
        width->setValue(widthMm);
        height->setValue(heightMm);
        return;
    }
}

void PrintPreviewDialog::paintEvent(QPaintEvent* event) {
    // Only a repaint that shows the label draws it (and advances its numbers);
    // repaints around the buttons leave it alone.
    const QRect target = LabelRect();
    if (target.isEmpty() || !event->rect().intersects(target)) return;
    const QImage image = label_.OutputImage();
    if (image.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
}

}  // namespace kestrix
