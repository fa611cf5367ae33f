#pragma once
// The main frame's texts in both languages, other than its menus (kMenus):
// the status bar, the title, and its questions and messages.

#include "document/UiLanguage.h"

namespace kestrix::frame_text {

inline constexpr UiTexts kReady{"Ready", "就绪"};
inline constexpr UiTexts kUntitled{"Untitled", "无标题"};
// The caption of the frame's messages.
inline constexpr UiTexts kCaption = kProductCaption;
inline constexpr UiTexts kCannotOpen{"The label file %1 cannot be opened:\n%2", "无法打开标签文件 %1：\n%2"};
inline constexpr UiTexts kOverwrite{"The file already exists. Do you want to overwrite it?",
                                    "标签文件已经存在，是否覆盖？"};
inline constexpr UiTexts kNotPrinted{"These label files could not be opened and were not printed:\n%1",
                                     "以下标签文件无法打开，没有打印：\n%1"};
inline constexpr UiTexts kBatchStopped{
    "Batch printing stopped at %1: %2\nThe files not yet printed stay queued; Select Label Files prints them.",
    "批量打印在 %1 处停止：%2\n尚未打印的文件仍在队列中，选择标签文件即可继续打印。"};
inline constexpr UiTexts kSaveQuestion{"The Label has not been saved, Do you want to save it?",
                                       "所修改的标签还没有保存，是否要保存？"};
inline constexpr UiTexts kSaveQuestionCaption = kProductCaption;
inline constexpr UiTexts kUndoUnavailable{
    "Undo is not available: no undo steps can be kept in %1 (%2).\n"
    "Editing works as usual; save the label to keep your work.",
    "撤消不可用：无法在 %1 中保存撤消步骤（%2）。\n仍可照常编辑，请保存标签以免丢失。"};
inline constexpr UiTexts kRecoverQuestion{
    "Kestrix Editor stopped before the label “%1” was saved (last changed %2).\n"
    "Recover the label as it was then, or discard it?",
    "标签编辑器在标签“%1”保存之前意外退出（最后修改于 %2）。\n恢复到当时的标签，还是放弃它？"};
inline constexpr UiTexts kSerialsNotSaved{
    "These labels were printed, but their next serial numbers could not be saved; "
    "printing them again would repeat the numbers:\n%1",
    "以下标签已打印，但无法保存下一个序列号；再次打印将重复这些号码：\n%1"};

}  // namespace kestrix::frame_text
