#include "app/RowSelector.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace kestrix {

RowSelector::RowSelector(UiLanguage language, QWidget* parent)
    : QWidget(parent), language_(language), previous_(new QToolButton), text_(new QLabel), next_(new QToolButton) {
    previous_->setArrowType(Qt::LeftArrow);
    next_->setArrowType(Qt::RightArrow);
    previous_->setObjectName(QStringLiteral("previousRow"));
    next_->setObjectName(QStringLiteral("nextRow"));
    previous_->setToolTip(UiText(language, "Previous row", "上一行"));
    next_->setToolTip(UiText(language, "Next row", "下一行"));
    for (QToolButton* button : {previous_, next_}) {
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(previous_, &QToolButton::clicked, this, [this] { emit RowWanted(shown_ - 1); });
    connect(next_, &QToolButton::clicked, this, [this] { emit RowWanted(shown_ + 1); });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(previous_);
    layout->addWidget(text_);
    layout->addWidget(next_);
    hide();
}

void RowSelector::Show(const QString& name, qint64 shown, qint64 known) {
    setVisible(!name.isEmpty());
    shown_ = shown;
    text_->setText(known > 0
                       ? UiText(language_, "%1: row %2 of %3", "%1：第 %2 行，共 %3 行").arg(name).arg(shown).arg(known)
                       : UiText(language_, "%1: row %2", "%1：第 %2 行").arg(name).arg(shown));
    previous_->setEnabled(shown > 1);
    next_->setEnabled(known == 0 || shown < known);
}

QString RowSelector::Text() const { return isVisible() ? text_->text() : QString(); }

}  // namespace kestrix
