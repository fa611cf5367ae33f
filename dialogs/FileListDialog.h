#pragma once
// The batch-printing file list ("Select File To Print"): label files added with
// a multi-selection open dialog, kept sorted, the same path as often as it is
// added; "Print" hands the list over in its order.

#include <QDialog>
#include <QStringList>

#include "document/UiLanguage.h"

class QListWidget;
class QPushButton;

namespace kestrix {

class Prompts;

class FileListDialog : public QDialog {
    Q_OBJECT
public:
    // `prompts` shows the open dialog of the Add File button.
    FileListDialog(UiLanguage language, Prompts& prompts, QWidget* parent = nullptr);

    // The chosen paths, in list order, once the dialog ended with Print.
    const QStringList& Paths() const { return paths_; }
    QListWidget* List() const { return list_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* PrintButton() const { return print_; }

    void accept() override;

private:
    void AddFiles();

    UiLanguage language_;
    Prompts& prompts_;
    QListWidget* list_;
    QPushButton* add_;
    QPushButton* print_;
    QStringList paths_;
};

}  // namespace kestrix
