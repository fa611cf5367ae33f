#include "dialogs/DataDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <limits>

#include "dialogs/DialogControls.h"

namespace kestrix {

namespace {

constexpr int kMaxRow = std::numeric_limits<int>::max();

QString Braced(const QStringList& names) {
    QStringList braced;
    for (const QString& name : names) braced << QStringLiteral("${%1}").arg(name);
    return braced.join(QStringLiteral(", "));
}

QSpinBox* RowSpin(int minimum, const QString& name) {
    auto* spin = new QSpinBox;
    spin->setRange(minimum, kMaxRow);
    spin->setObjectName(name);
    spin->setMinimumWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 24);
    return spin;
}

}  // namespace

DataDialog::DataDialog(UiLanguage language, const DataChoice& current, const QStringList& fields, QWidget* parent)
    : QDialog(parent),
      language_(language),
      fields_(fields),
      pathEdit_(new QLineEdit),
      remove_(new QPushButton(UiText(language, "No Data File", "不用数据文件"))),
      fileNote_(new QLabel),
      table_(new QTableWidget),
      fieldNote_(new QLabel),
      allRows_(new QRadioButton(UiText(language, "All rows", "全部行"))),
      someRows_(new QRadioButton(UiText(language, "Rows", "行"))),
      first_(RowSpin(1, QStringLiteral("firstRow"))),
      last_(RowSpin(0, QStringLiteral("lastRow"))),
      shown_(RowSpin(1, QStringLiteral("shownRow"))) {
    setWindowTitle(UiText(language, "Input File", "导入文件"));
    pathEdit_->setReadOnly(true);
    pathEdit_->setObjectName(QStringLiteral("path"));
    pathEdit_->setMinimumWidth(pathEdit_->fontMetrics().averageCharWidth() * 60);
    auto* browse = new QPushButton(UiText(language, "&Choose File...", "选择文件(&C)..."));
    browse->setObjectName(QStringLiteral("browse"));
    browse->setAutoDefault(false);
    remove_->setObjectName(QStringLiteral("remove"));
    remove_->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &DataDialog::Browse);
    connect(remove_, &QPushButton::clicked, this, [this] { Load({}); });
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(UiText(language, "Data file (CSV):", "数据文件（CSV）：")));
    fileRow->addWidget(pathEdit_, 1);
    fileRow->addWidget(browse);
    fileRow->addWidget(remove_);

    fileNote_->setObjectName(QStringLiteral("fileNote"));
    fileNote_->setWordWrap(true);
    fileNote_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fieldNote_->setObjectName(QStringLiteral("fieldNote"));
    fieldNote_->setWordWrap(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setMinimumSize(640, 240);
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0) shown_->setValue(row + 1);
    });

    auto* rows = new QGroupBox(UiText(language, "Print", "打印"));
    auto* rowGrid = new QGridLayout(rows);
    rowGrid->addWidget(allRows_, 0, 0, 1, 4);
    rowGrid->addWidget(someRows_, 1, 0);
    rowGrid->addWidget(first_, 1, 1);
    rowGrid->addWidget(new QLabel(UiText(language, "to", "至")), 1, 2);
    rowGrid->addWidget(last_, 1, 3);
    last_->setSpecialValueText(UiText(language, "the last", "最后一行"));
    allRows_->setObjectName(QStringLiteral("allRows"));
    someRows_->setObjectName(QStringLiteral("someRows"));
    connect(first_, &QSpinBox::valueChanged, this, [this] { someRows_->setChecked(true); });
    connect(last_, &QSpinBox::valueChanged, this, [this] { someRows_->setChecked(true); });

    auto* shown = new QGroupBox(UiText(language, "Shown on the label", "标签上显示"));
    auto* shownRow = new QHBoxLayout(shown);
    auto* previous = new QPushButton(UiText(language, "< Previous", "< 上一行"));
    auto* next = new QPushButton(UiText(language, "Next >", "下一行 >"));
    previous->setObjectName(QStringLiteral("previous"));
    next->setObjectName(QStringLiteral("next"));
    previous->setAutoDefault(false);
    next->setAutoDefault(false);
    connect(previous, &QPushButton::clicked, shown_, &QSpinBox::stepDown);
    connect(next, &QPushButton::clicked, shown_, &QSpinBox::stepUp);
    connect(shown_, &QSpinBox::valueChanged, this, [this](int row) {
        if (row <= table_->rowCount()) table_->selectRow(row - 1);
    });
    shownRow->addWidget(new QLabel(UiText(language, "Row", "行")));
    shownRow->addWidget(shown_);
    shownRow->addWidget(previous);
    shownRow->addWidget(next);
    shownRow->addStretch(1);

    auto* choices = new QHBoxLayout;
    choices->addWidget(rows);
    choices->addWidget(shown);

    QDialogButtonBox* buttons =
        OkCancelButtons(this, UiText(language, "OK", "确定"), UiText(language, "Cancel", "取消"));
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("1"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(fileNote_);
    layout->addWidget(table_, 1);
    layout->addWidget(fieldNote_);
    layout->addLayout(choices);
    layout->addWidget(buttons);

    Load(current.path);
    first_->setValue(static_cast<int>(std::min<qint64>(current.rows.first, kMaxRow)));
    last_->setValue(static_cast<int>(std::min<qint64>(current.rows.last, kMaxRow)));
    (current.rows.first == 1 && current.rows.last == 0 ? allRows_ : someRows_)->setChecked(true);
    shown_->setValue(static_cast<int>(std::min<qint64>(current.shownRow, kMaxRow)));
    if (shown_->value() <= table_->rowCount()) table_->selectRow(shown_->value() - 1);
}

void DataDialog::Browse() {
    const QString start = path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath();
    const QString chosen = QFileDialog::getOpenFileName(
        this, UiText(language_, "Open Data File", "打开数据文件"), start,
        UiText(language_, "Data Files (*.csv *.txt);;All Files (*)", "数据文件 (*.csv *.txt);;所有文件 (*)"));
    if (!chosen.isEmpty()) Load(chosen);
}

void DataDialog::Load(const QString& path) {
    path_ = path;
    knownRows_ = 0;
    pathEdit_->setText(QDir::toNativeSeparators(path));
    remove_->setEnabled(!path.isEmpty());
    table_->clear();
    table_->setRowCount(0);
    table_->setColumnCount(0);
    ok_->setEnabled(true);
    if (path.isEmpty()) {
        fileNote_->setText(UiText(language_, "The label has no data file: its ${NAME} fields print as they stand.",
                                  "标签没有数据文件：其 ${NAME} 字段按原样打印。"));
        ShowFields({});
        return;
    }
    QString error;
    std::unique_ptr<DataSource> source = DataSource::Open(path, &error, language_);
    std::vector<DataRow> rows;
    if (source && !source->FirstRows(kPreviewRows, rows, &error)) {
        // The rows before the damage are shown; printing stops at it.
        error = UiText(language_, "Printing will stop here: %1", "打印将在此处停止：%1").arg(error);
    }
    if (!source) {
        ok_->setEnabled(false);
        fileNote_->setText(error);
        ShowFields({});
        return;
    }
    const QStringList& columns = source->Columns();
    table_->setColumnCount(static_cast<int>(columns.size()));
    table_->setHorizontalHeaderLabels(columns);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[r].values.size()); ++c)
            table_->setItem(r, c, new QTableWidgetItem(rows[r].values[c]));
    table_->resizeColumnsToContents();
    const bool all = error.isEmpty() && static_cast<int>(rows.size()) < kPreviewRows;
    if (all) knownRows_ = static_cast<qint64>(rows.size());
    QString note = all ? UiText(language_, "%1 data rows, %2 columns.", "%1 行数据，%2 列。").arg(rows.size())
                       : UiText(language_, "The first %1 data rows are shown; %2 columns.", "显示前 %1 行数据；%2 列。")
                             .arg(rows.size());
    note = note.arg(columns.size());
    if (!error.isEmpty()) note += u'\n' + error;
    fileNote_->setText(note);
    shown_->setMaximum(all && knownRows_ > 0 ? static_cast<int>(knownRows_) : kMaxRow);
    ShowFields(columns);
}

void DataDialog::ShowFields(const QStringList& columns) {
    if (fields_.isEmpty()) {
        fieldNote_->setStyleSheet({});
        fieldNote_->setText(UiText(language_,
                                   "The label has no ${NAME} fields yet: write ${NAME} into a text, barcode or 2D "
                                   "code, NAME being a column of the file.",
                                   "标签还没有 ${NAME} 字段：在文字、条码或二维码中写入 ${NAME}，NAME 为文件的列名。"));
        return;
    }
    QStringList missing;
    for (const QString& field : fields_)
        if (!columns.contains(field)) missing << field;
    QString note = UiText(language_, "Fields of the label: %1", "标签的字段：%1").arg(Braced(fields_));
    // Fields without a column stop printing: they stand out.
    fieldNote_->setStyleSheet(!path_.isEmpty() && !missing.isEmpty() ? QStringLiteral("color: #b00000") : QString());
    if (!path_.isEmpty() && !missing.isEmpty())
        note += u'\n' + UiText(language_, "No column for: %1 (printing is refused until the file has them)",
                               "没有对应的列：%1（文件没有这些列时不能打印）")
                            .arg(Braced(missing));
    else if (!path_.isEmpty())
        note += u'\n' + UiText(language_, "Every field has a column.", "每个字段都有对应的列。");
    fieldNote_->setText(note);
}

QString DataDialog::FileNote() const { return fileNote_->text(); }

QString DataDialog::FieldNote() const { return fieldNote_->text(); }

DataChoice DataDialog::Choice() const {
    DataChoice choice;
    choice.path = path_;
    if (someRows_->isChecked()) {
        // A range given backwards is taken as meant.
        const int a = first_->value(), b = last_->value();
        choice.rows = b != 0 && b < a ? RowRange{b, a} : RowRange{a, b};
    }
    choice.shownRow = shown_->value();
    choice.knownRows = knownRows_;
    return choice;
}

}  // namespace kestrix
