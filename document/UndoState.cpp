#include "document/UndoState.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

#include "document/LabelDocument.h"

namespace kestrix {

namespace {

// A whole number within [min, max], else nothing.
std::optional<int> Whole(const QJsonValue& value, int min, int max) {
    if (!value.isDouble()) return std::nullopt;
    const double d = value.toDouble();
    if (d != std::floor(d) || d < min || d > max) return std::nullopt;
    return static_cast<int>(d);
}

bool IsScale(const QJsonValue& value) { return value.isDouble() && value.toDouble() > 0; }

}  // namespace

QByteArray UndoStateBytes(const UndoState& state) {
    QJsonArray scales;
    for (auto it = state.scales.cbegin(); it != state.scales.cend(); ++it)
        scales.append(QJsonArray{it.key(), it.value().x(), it.value().y()});
    const QJsonObject object{
        {"width_mm", state.widthMm},
        {"height_mm", state.heightMm},
        {"printer", QString::fromLatin1(state.printerName.toBase64())},
        {"path", state.labelPath},
        {"count", state.count},
        {"pos", state.pos},
        {"top", state.top},
        {"saved", state.savedCount},
        {"unsaved", state.unsaved},
        {"scales", scales},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<UndoState> ParseUndoState(QByteArrayView bytes) {
    const QJsonDocument json = QJsonDocument::fromJson(bytes.toByteArray());
    if (!json.isObject()) return std::nullopt;
    const QJsonObject o = json.object();
    constexpr int kMax = std::numeric_limits<int>::max();
    const auto width = Whole(o["width_mm"], kMinLabelMm, kMaxLabelMm);
    const auto height = Whole(o["height_mm"], kMinLabelMm, kMaxLabelMm);
    const auto count = Whole(o["count"], 0, kMax);
    const auto top = Whole(o["top"], 0, kMax);
    const auto pos = Whole(o["pos"], 0, top.value_or(-1));
    const auto saved = Whole(o["saved"], -1, kMax);
    if (!width || !height || !count || !top || !pos || !saved || !o["path"].isString() || !o["printer"].isString() ||
        !o["unsaved"].isBool() || !o["scales"].isArray())
        return std::nullopt;
    UndoState state{*width,
                    *height,
                    QByteArray::fromBase64(o["printer"].toString().toLatin1()),
                    o["path"].toString(),
                    *count,
                    *pos,
                    *top,
                    *saved,
                    o["unsaved"].toBool(),
                    {}};
    for (const QJsonValue& entry : o["scales"].toArray()) {
        const QJsonArray scale = entry.toArray();
        const auto number = Whole(scale.at(0), 0, kMax);
        if (scale.size() != 3 || !number || !IsScale(scale.at(1)) || !IsScale(scale.at(2))) return std::nullopt;
        state.scales.insert(*number, QPointF(scale.at(1).toDouble(), scale.at(2).toDouble()));
    }
    return state;
}

}  // namespace kestrix
