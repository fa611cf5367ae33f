#pragma once
// "Printer...": where the direct print job sends the label. Lists the USB
// label printers found and the CUPS queues; any address can be typed, a
// network printer as socket://HOST[:PORT].

#include <QDialog>
#include <QStringList>

#include "document/UiLanguage.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace kestrix {

class PrinterDialog : public QDialog {
    Q_OBJECT
public:
    // `usbPrinters` are device paths, `queues` CUPS queue names; `current` is
    // the address in use.
    PrinterDialog(UiLanguage language, const QStringList& usbPrinters, const QStringList& queues,
                  const QString& current, QWidget* parent = nullptr);

    // The address picked or typed, trimmed.
    QString Address() const;
    QListWidget* Choices() const { return choices_; }
    QLineEdit* AddressEdit() const { return address_; }
    QLabel* Problem() const { return problem_; }

    // Ends only on an address that is one; otherwise says what is wrong.
    void accept() override;

private:
    void AddChoice(const QString& text, const QString& address);
    void SelectChoiceOf(const QString& address);

    UiLanguage language_;
    QListWidget* choices_;
    QLineEdit* address_;
    QLabel* problem_;
};

}  // namespace kestrix
