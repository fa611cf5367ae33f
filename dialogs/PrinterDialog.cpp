#include "dialogs/PrinterDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "output/DirectPrintJob.h"
#include "output/PrinterAddress.h"

namespace kestrix {

namespace {

bool HasChoice(const QListWidget* choices, const QString& address) {
    for (int i = 0; i < choices->count(); ++i)
        if (choices->item(i)->data(Qt::UserRole).toString() == address) return true;
    return false;
}

}  // namespace

PrinterDialog::PrinterDialog(UiLanguage language, const QStringList& usbPrinters, const QStringList& queues,
                             const QString& current, QWidget* parent)
    : QDialog(parent), language_(language), choices_(new QListWidget), address_(new QLineEdit), problem_(new QLabel) {
    setWindowTitle(UiText(language, "Printer", "打印机"));
    AddChoice(UiText(language, "USB label printer (the first one found)", "USB 标签打印机（找到的第一台）"),
              PrinterAddress().Text());
    for (const QString& path : usbPrinters)
        AskState(AddChoice(UiText(language, "USB label printer %1", "USB 标签打印机 %1").arg(path), path), path);
    for (const QString& queue : queues) {
        PrinterAddress cups;
        cups.kind = PrinterAddress::Kind::Cups;
        cups.queue = queue;
        AddChoice(UiText(language, "CUPS queue %1", "CUPS 打印队列 %1").arg(queue), cups.Text());
    }
    const std::optional<PrinterAddress> inUse = ParsePrinterAddress(current);
    const QString inUseText = inUse ? inUse->Text() : current;
    // The address in use is listed whatever became of its printer, so it is what stays selected.
    if (!HasChoice(choices_, inUseText)) {
        if (!inUse) {
            AddChoice(UiText(language, "%1 — not a printer address", "%1——不是打印机地址").arg(current), current);
        } else if (inUse->kind == PrinterAddress::Kind::Socket) {
            AskState(AddChoice(UiText(language, "Network printer %1", "网络打印机 %1").arg(inUseText), inUseText),
                     inUseText);
        } else if (inUse->kind == PrinterAddress::Kind::Cups) {
            AddChoice(UiText(language, "CUPS queue %1 — not found", "CUPS 打印队列 %1——未找到").arg(inUse->queue),
                      inUseText);
        } else if (QFileInfo::exists(inUse->path)) {
            AddChoice(UiText(language, "Device or file %1", "设备或文件 %1").arg(inUse->path), inUseText);
        } else {
            AddChoice(UiText(language, "%1 — not found", "%1——未找到").arg(inUse->path), inUseText);
        }
    }
    address_->setPlaceholderText(QStringLiteral("socket://192.168.1.100:9100"));
    address_->setText(inUseText);
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
    auto* settings = new QPushButton(UiText(language, "Printer &Settings...", "打印机设置(&S)..."));
    settings->setAutoDefault(false);  // Return is OK wherever the focus is
    connect(settings, &QPushButton::clicked, this, &PrinterDialog::SettingsWanted);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(settings);
    buttons->addStretch();
    buttons->addWidget(OkCancelButtons(this, UiText(language, "OK", "确定"), UiText(language, "Cancel", "取消")));
    layout->addLayout(buttons);
    resize(520, 380);
    address_->setFocus();
}

PrinterDialog::~PrinterDialog() {
    for (const std::unique_ptr<QThread>& asker : askers_) asker->wait();
}

QListWidgetItem* PrinterDialog::AddChoice(const QString& text, const QString& address) {
    auto* item = new QListWidgetItem(text, choices_);
    item->setData(Qt::UserRole, address);
    item->setToolTip(address);
    return item;
}

void PrinterDialog::AskState(QListWidgetItem* item, const QString& address) {
    ++asking_;
    const QString name = item->text();
    askers_.emplace_back(QThread::create([this, item, name, address] {
        PrinterTarget target;
        target.device = address;
        const PrinterStatus status = AskPrinterStatus(target);
        // Dropped when the dialog has gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, item, name, status] {
                item->setText(QStringLiteral("%1 — %2").arg(name, PrinterStatusText(status, language_)));
                --asking_;
            },
            Qt::QueuedConnection);
    }));
    askers_.back()->start();
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
