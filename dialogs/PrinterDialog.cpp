#include "dialogs/PrinterDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "output/PrinterAddress.h"

namespace kestrix {

PrinterDialog::PrinterDialog(UiLanguage language, const QStringList& usbPrinters, const QStringList& queues,
                             const QString& current, QWidget* parent)
    : QDialog(parent), language_(language), choices_(new QListWidget), address_(new QLineEdit), problem_(new QLabel) {
    setWindowTitle(UiText(language, "Printer", "打印机"));
    AddChoice(UiText(language, "USB label printer (the first one found)", "USB 标签打印机（找到的第一台）"),
              PrinterAddress().Text());
    for (const QString& path : usbPrinters)
        AddChoice(UiText(language, "USB label printer %1", "USB 标签打印机 %1").arg(path), path);
    for (const QString& queue : queues) {
        PrinterAddress cups;
        cups.kind = PrinterAddress::Kind::Cups;
        cups.queue = queue;
        AddChoice(UiText(language, "CUPS queue %1", "CUPS 打印队列 %1").arg(queue), cups.Text());
    }
    address_->setPlaceholderText(QStringLiteral("socket://192.168.1.100:9100"));
    const std::optional<PrinterAddress> inUse = ParsePrinterAddress(current);
    address_->setText(inUse ? inUse->Text() : current);
    SelectChoiceOf(address_->text());
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    problem_->hide();

    connect(choices_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) address_->setText(item->data(Qt::UserRole).toString());
    });
    connect(choices_, &QListWidget::itemDoubleClicked, this, &PrinterDialog::accept);
    connect(address_, &QLineEdit::textEdited, this, [this](const QString& text) { SelectChoiceOf(text.trimmed()); });
    connect(address_, &QLineEdit::textChanged, problem_, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(UiText(language, "Send the label stream to:", "标签数据发送到：")));
    layout->addWidget(choices_);
    layout->addWidget(new QLabel(UiText(language, "Address:", "地址：")));
    layout->addWidget(address_);
    layout->addWidget(
        new QLabel(UiText(language, "A network printer: socket://HOST[:PORT] (port 9100 when none is given)",
                          "网络打印机：socket://主机[:端口]（不写端口时为 9100）")));
    layout->addWidget(problem_);
    layout->addWidget(OkCancelButtons(this, UiText(language, "OK", "确定"), UiText(language, "Cancel", "取消")));
    resize(520, 380);
}

void PrinterDialog::AddChoice(const QString& text, const QString& address) {
    auto* item = new QListWidgetItem(text, choices_);
    item->setData(Qt::UserRole, address);
    item->setToolTip(address);
}

void PrinterDialog::SelectChoiceOf(const QString& address) {
    const QSignalBlocker quiet(choices_);  // keeps the typed text as it is
    choices_->setCurrentItem(nullptr);
    for (int i = 0; i < choices_->count(); ++i)
        if (choices_->item(i)->data(Qt::UserRole).toString() == address) choices_->setCurrentRow(i);
}

QString PrinterDialog::Address() const { return address_->text().trimmed(); }

void PrinterDialog::accept() {
    if (!ParsePrinterAddress(Address())) {
        problem_->setText(
            UiText(language_,
                   "Not a printer address. Type usb, socket://HOST[:PORT], cups:QUEUE or the path of "
                   "a device or file.",
                   "不是打印机地址。请填写 usb、socket://主机[:端口]、cups:队列名，或设备、文件的路径。"));
        problem_->show();
        return;
    }
    QDialog::accept();
}

}  // namespace kestrix
