#pragma once
// "Printer...": where the direct print job sends the label. Lists the USB
// label printers found and the CUPS queues; any address can be typed, a
// network printer as socket://HOST[:PORT]. The address in use is always
// listed and selected, also when its printer is not found any more (it says
// so). Each printer that can be asked shows the state it reports, asked
// beside the window (a silent printer takes 3 seconds).

#include <QDialog>
#include <QStringList>
#include <memory>
#include <vector>

#include "document/UiLanguage.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QThread;

namespace kestrix {

class PrinterDialog : public QDialog {
    Q_OBJECT
public:
    // `usbPrinters` are device paths, `queues` CUPS queue names; `current` is
    // the address in use.
    PrinterDialog(UiLanguage language, const QStringList& usbPrinters, const QStringList& queues,
                  const QString& current, QWidget* parent = nullptr);
    // Waits for the printers still being asked.
    ~PrinterDialog() override;

    // The address picked or typed, trimmed.
    QString Address() const;
    QListWidget* Choices() const { return choices_; }
    QLineEdit* AddressEdit() const { return address_; }
    QLabel* Problem() const { return problem_; }

    // Ends only on an address that is one; otherwise says what is wrong.
    void accept() override;
    // Whether every printer asked has answered (or given up).
    bool StatesKnown() const { return asking_ == 0; }

signals:
    // The Printer Settings button.
    void SettingsWanted();

private:
    QListWidgetItem* AddChoice(const QString& text, const QString& address);
    void SelectChoiceOf(const QString& address);
    // Asks the printer at `address` for its state and shows it after the item's text.
    void AskState(QListWidgetItem* item, const QString& address);

    UiLanguage language_;
    QListWidget* choices_;
    QLineEdit* address_;
    QLabel* problem_;
    std::vector<std::unique_ptr<QThread>> askers_;
    int asking_ = 0;
};

}  // namespace kestrix
