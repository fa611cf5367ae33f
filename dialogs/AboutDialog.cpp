#include "dialogs/AboutDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrix {

AboutDialog::AboutDialog(UiLanguage language, QWidget* parent) : QDialog(parent) {
    setWindowTitle(UiText(language, "About Kestrix", "关于 Kestrix"));

    auto* icon = new QLabel;
    const QPixmap pixmap(QStringLiteral(":/icons/kestrix-48.png"));
    if (!pixmap.isNull()) icon->setPixmap(pixmap);
    icon->setAlignment(Qt::AlignTop);

    const QString version = QCoreApplication::applicationVersion();
    auto* text = new QLabel(UiText(language, "Kestrix Editor, Version %1\nLabel designer for thermal label printers",
                                   "Kestrix 标签编辑器，版本 %1\n热敏标签打印机的标签设计软件")
                                .arg(version.isEmpty() ? QStringLiteral("1.0") : version));

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(text, 1);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(UiText(language, "OK", "确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

}  // namespace kestrix
