#pragma once
// The status bar's data row selector: which row of the data file the canvas
// shows, with buttons for the previous and the next row. Hidden while the
// label has no data file.

#include <QWidget>

#include "document/UiLanguage.h"

class QLabel;
class QToolButton;

namespace kestrix {

class RowSelector : public QWidget {
    Q_OBJECT
public:
    explicit RowSelector(UiLanguage language, QWidget* parent = nullptr);

    // Row `shown` of `known` (0: not known yet) of the file `name`; no name hides the selector.
    void Show(const QString& name, qint64 shown, qint64 known);
    QString Text() const;

signals:
    // The row asked for by a button.
    void RowWanted(qint64 number);

private:
    UiLanguage language_;
    qint64 shown_ = 1;
    QToolButton* previous_;
    QLabel* text_;
    QToolButton* next_;
};

}  // namespace kestrix
