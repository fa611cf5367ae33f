#include "app/EditorStatus.h"

#include <QLabel>
#include <QStatusBar>

namespace kestrix {

namespace {

QLabel* AddPane(QStatusBar* bar, const QString& widest) {
    auto* pane = new QLabel;
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(widest) + 12);
    bar->addPermanentWidget(pane);
    return pane;
}

QString Mm(double value) { return QString::number(value, 'f', 1); }

}  // namespace

EditorStatus::EditorStatus(UiLanguage language, QStatusBar* bar)
    : QObject(bar),
      language_(language),
      pointer_(AddPane(bar, QStringLiteral("X 2000.0  Y 2000.0 mm"))),
      zoom_(AddPane(bar, QStringLiteral("1000 %"))),
      selection_(AddPane(bar, QStringLiteral("2000.0 × 2000.0 mm"))) {
    pointer_->setToolTip(UiText(language, "Pointer position on the label", "指针在标签上的位置"));
    zoom_->setToolTip(UiText(language, "Zoom", "缩放"));
    selection_->setToolTip(UiText(language, "Size of the selection", "选中对象的尺寸"));
}

void EditorStatus::ShowPointer(std::optional<QPointF> mm) {
    pointer_->setText(mm ? QStringLiteral("X %1  Y %2 mm").arg(Mm(mm->x()), Mm(mm->y())) : QString());
}

void EditorStatus::ShowZoom(int percent) { zoom_->setText(QStringLiteral("%1 %").arg(percent)); }

void EditorStatus::ShowSelection(std::optional<QSizeF> mm) {
    selection_->setText(mm ? QStringLiteral("%1 × %2 mm").arg(Mm(mm->width()), Mm(mm->height())) : QString());
}

}  // namespace kestrix
