#include "app/FrameMenus.h"

#include <QSet>

#include "app/CommandIds.h"

namespace kestrix {

namespace {

// The key each menu entry shows comes from the accelerator table.
const MenuDef kMenus[] = {
    {"&File",
     "文件(&F)",
     {{kCmdNewLabel, "&New Label", "新建标签(&N)"},
      {kCmdOpenLabel, "&Open Label...", "打开标签(&O)..."},
      {kCmdSave, "&Save", "保存(&S)"},
      {kCmdSaveAs, "Save &As...", "另存为(&A)..."},
      {0, nullptr, nullptr},
      {kCmdPrint, "&Print...", "打印(&P)..."},
      {kCmdDirectPrint, "&Direct Send Data to Printer", "直接发数据给打印机(&D)"},
      {kCmdChoosePrinter, "P&rinter...", "打印机(&R)..."},
      {kCmdInputFile, "&Input File...", "导入文件(&I)..."},
      {kCmdPrinterSettings, "Printer Settin&gs...", "打印机设置(&T)..."},
      {0, nullptr, nullptr},
      {kCmdExit, "E&xit", "退出(&X)"}}},
    {"&Edit",
     "编辑(&E)",
     {{kCmdUndo, "&Undo", "撤消(&U)"},
      {kCmdRedo, "&Redo", "重做(&R)"},
      {0, nullptr, nullptr},
      {kCmdCut, "Cu&t", "剪切(&T)"},
      {kCmdCopy, "&Copy", "复制(&C)"},
      {kCmdPaste, "&Paste", "粘贴(&P)"},
      {kCmdDelete, "&Delete", "删除(&D)"},
      {0, nullptr, nullptr},
      {kCmdSelectAll, "Select &All", "全选(&A)"}}},
    {"&Zoom",
     "缩放(&Z)",
     {{kCmdZoomIn, "Zoom &In", "放大(&I)"},
      {kCmdZoomOut, "Zoom &Out", "缩小(&O)"},
      {kCmdZoomFit, "&Fit", "适合窗口(&F)"},
      {kCmdZoomActual, "&100 %", "实际大小(&1)"}}},
    {"&Batch Print", "批量打印(&V)", {{kCmdBatchPrint, "&Select Label Files...", "选择标签文件(&T)..."}}},
    {"&Help", "帮助(&H)", {{kCmdAbout, "&About Kestrix...", "关于 Kestrix(&A)..."}}},
};

const Accelerator kAccelerators[] = {
    {kCmdNewLabel, QKeySequence::New, {}},
    {kCmdOpenLabel, QKeySequence::Open, {}},
    {kCmdSave, QKeySequence::Save, {}},
    {kCmdSaveAs, QKeySequence::UnknownKey, {Qt::CTRL | Qt::SHIFT | Qt::Key_S}},
    {kCmdPrint, QKeySequence::Print, {}},
    {kCmdUndo, QKeySequence::Undo, {Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace}},
    {kCmdRedo, QKeySequence::Redo, {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}},
    {kCmdCut, QKeySequence::Cut, {Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete}},
    {kCmdCopy, QKeySequence::Copy, {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}},
    {kCmdPaste, QKeySequence::Paste, {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}},
    {kCmdSelectAll, QKeySequence::SelectAll, {Qt::CTRL | Qt::Key_A}},
    {kCmdZoomIn, QKeySequence::ZoomIn, {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}},
    {kCmdZoomOut, QKeySequence::ZoomOut, {Qt::CTRL | Qt::Key_Minus}},
    {kCmdZoomFit, QKeySequence::UnknownKey, {Qt::CTRL | Qt::Key_0}},
    {kCmdZoomActual, QKeySequence::UnknownKey, {Qt::CTRL | Qt::Key_1}},
    {kCmdNextPane, QKeySequence::UnknownKey, {QKeyCombination(Qt::Key_F6)}},
    {kCmdPrevPane, QKeySequence::UnknownKey, {Qt::SHIFT | Qt::Key_F6}},
};

}  // namespace

std::span<const MenuDef> FrameMenus() { return kMenus; }

std::span<const Accelerator> FrameAccelerators() { return kAccelerators; }

QHash<int, QList<QKeySequence>> AcceleratorKeys() {
    QHash<int, QList<QKeySequence>> keys;
    QSet<QKeySequence> taken{QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Backspace)};
    for (const Accelerator& a : kAccelerators) {
        QList<QKeySequence> own = QKeySequence::keyBindings(a.standard);
        for (QKeyCombination key : a.keys) own << QKeySequence(key);
        for (const QKeySequence& key : own) {
            if (key.isEmpty() || taken.contains(key)) continue;
            taken.insert(key);
            keys[a.id] << key;
        }
    }
    return keys;
}

}  // namespace kestrix
