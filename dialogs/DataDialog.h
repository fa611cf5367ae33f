#pragma once
// The data dialog of Input File: the data file whose rows fill the label's
// ${NAME} fields, its columns and first rows in a table, which rows print (all,
// or a range), which row the canvas shows, and which of the label's fields the
// file has a column for. Only the first rows are read, so a file of a million
// rows opens at once.

#include <QDialog>
#include <QStringList>

#include "document/DataSource.h"
#include "document/UiLanguage.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace kestrix {

// What the dialog shows and gives back.
struct DataChoice {
    QString path;  // empty: the label has no data file
    RowRange rows;
    qint64 shownRow = 1;
    qint64 knownRows = 0;  // the file's data rows when all were read, else 0
};

class DataDialog : public QDialog {
    Q_OBJECT
public:
    // Rows of the table: the first of the file.
    static constexpr int kPreviewRows = 100;

    // Opens on `current`; `fields` are the names of the label's ${NAME} fields.
    DataDialog(UiLanguage language, const DataChoice& current, const QStringList& fields, QWidget* parent = nullptr);

    // Reads the file at `path` and shows it (its columns, first rows and what
    // is wrong with it); an empty path takes the file away.
    void Load(const QString& path);
    DataChoice Choice() const;

    QTableWidget* Table() const { return table_; }
    // What the dialog says about the file and the label's fields.
    QString FileNote() const;
    QString FieldNote() const;

private:
    void Browse();
    void ShowFields(const QStringList& columns);

    UiLanguage language_;
    QStringList fields_;
    QString path_;
    qint64 knownRows_ = 0;
    QLineEdit* pathEdit_;
    QPushButton* remove_;
    QLabel* fileNote_;
    QTableWidget* table_;
    QLabel* fieldNote_;
    QRadioButton* allRows_;
    QRadioButton* someRows_;
    QSpinBox* first_;
    QSpinBox* last_;
    QSpinBox* shown_;
    QPushButton* ok_;
};

}  // namespace kestrix
