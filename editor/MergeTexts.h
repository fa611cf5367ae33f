#pragma once
// The texts of merged printing in both languages. The data file's own
// messages (which line, row or field) follow them as the data layer words them.

#include "document/UiLanguage.h"

namespace kestrix::merge_text {

inline constexpr UiTexts kCaption = kProductCaption;
inline constexpr UiTexts kUnusable{"The data file cannot be used; nothing was printed.\n%1",
                                   "数据文件无法使用，没有打印任何内容。\n%1"};
inline constexpr UiTexts kMissing{
    "The data file of this label cannot be read:\n%1\nIts ${NAME} fields show as they stand until Input File "
    "chooses a data file.",
    "无法读取此标签的数据文件：\n%1\n在用“导入文件”选择数据文件之前，${NAME} 字段按原样显示。"};
inline constexpr UiTexts kNotTaken{"This data file cannot be used; the label keeps the one it had.\n%1",
                                   "无法使用此数据文件，标签保留原来的数据文件。\n%1"};
inline constexpr UiTexts kRowUnreadable{"Row %1 cannot be shown:\n%2", "无法显示第 %1 行：\n%2"};
inline constexpr UiTexts kCut{
    "%1 merged values are longer than their element holds and will be cut:\n%2\n\nPrint anyway?",
    "%1 个合并的值超过元素能容纳的长度，将被截断：\n%2\n\n仍然打印吗？"};
inline constexpr UiTexts kStopped{"Printing stopped after %1 of %2 labels.",
                                  "已停止打印：已打印 %1 个标签，共 %2 个。"};
inline constexpr UiTexts kRowsFailed{"Printing stopped after %1 of %2 labels: %3",
                                     "打印已停止：已打印 %1 个标签，共 %2 个：%3"};
inline constexpr UiTexts kBatchData{"its data file: %1", "其数据文件：%1"};

}  // namespace kestrix::merge_text
