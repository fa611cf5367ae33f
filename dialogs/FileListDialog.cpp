#include "dialogs/FileListDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/Prompts.h"

namespace kestrix {

namespace {

// The list's order: case ignored first, so a.lab and A.lab stay neighbours.
bool PathBefore(const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

FileListDialog::FileListDialog(UiLanguage language, Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      language_(language),
      prompts_(prompts),
      list_(new QListWidget),
      add_(new QPushButton(UiText(language, "Add File", "添加文件"))),
      print_(new QPushButton(UiText(language, "Print", "打印"))) {
    setWindowTitle(UiText(language, "Select File To Print", "选择打印文件"));
    list_->setObjectName(QStringLiteral("1010"));
    add_->setObjectName(QStringLiteral("1009"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* caption = new QLabel(UiText(language, "File List:", "打印文件列表"));
    caption->setObjectName(QStringLiteral("1033"));
    caption->setBuddy(list_);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(print_, QDialogButtonBox::AcceptRole);
    buttons->addButton(UiText(language, "Cancel", "取消"), QDialogButtonBox::RejectRole);
    print_->setDefault(true);
    connect(add_, &QPushButton::clicked, this, &FileListDialog::AddFiles);
    connect(buttons, &QDialogButtonBox::accepted, this, &FileListDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FileListDialog::reject);

    // Adding belongs to the list; Print and Cancel end the dialog.
    auto* row = new QHBoxLayout;
    row->addWidget(add_);
    row->addStretch(1);
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addLayout(row);
    // 271 x 198 dialog units: a unit is a quarter of the average character
    // width across and an eighth of the line height down.
    const QFontMetrics metrics = fontMetrics();
    resize(271 * metrics.averageCharWidth() / 4, 198 * metrics.height() / 8);
}

void FileListDialog::AddFiles() {
    for (const QString& path : prompts_.OpenFileNames(this, LabelFileFilter(language_))) {
        int row = 0;
        while (row < list_->count() && !PathBefore(path, list_->item(row)->text())) ++row;
        list_->insertItem(row, path);
    }
}

void FileListDialog::accept() {
    paths_.clear();
    for (int row = 0; row < list_->count(); ++row) paths_ << list_->item(row)->text();
    QDialog::accept();
}

}  // namespace kestrix
