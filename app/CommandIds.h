#pragma once
// Command numbers of the menus, accelerators and tool bars.

namespace kestrix {

enum CommandId : int {
    // Tool bar 1: tools, undo/redo/delete, text style (100 to 116).
    kCmdDrawFirst = 100,
    kCmdSelectTool = 100,
    kCmdUndoStep = 107,
    kCmdRedoStep = 108,
    kCmdDeleteButton = 109,
    kCmdBold = 111,
    kCmdDrawLast = 116,
    // Tool bar 2: file, zoom and arrangement (130 to 156).
    kCmdMainFirst = 130,
    kCmdNewButton = 130,
    kCmdOpenButton = 131,
    kCmdSaveButton = 132,
    kCmdPrintButton = 133,
    kCmdPrintPreview = 134,
    kCmdZoomIn = 137,
    kCmdZoomOut = 138,
    kCmdInputFile = 139,
    kCmdMainLast = 156,
    // Menus and accelerators.
    kCmdOpenLabel = 32772,
    kCmdAddText = 32776,
    kCmdAddPicture = 32777,
    kCmdAddBarcode = 32778,
    kCmdAdd2D = 32779,
    kCmdDestroyWindow = 32780,
    kCmdTextAttributes = 32781,
    kCmdDelete = 32782,
    kCmdBatchPrint = 32785,
    kCmdSaveAs = 32788,
    kCmdPrint = 32789,
    kCmdDirectPrint = 32794,
    kCmdNewLabel = 32795,
    kCmdSave = 32797,
    kCmdChoosePrinter = 32900,    // Kestrix's own: the printer of the direct print job
    kCmdPrinterSettings = 32901,  // Kestrix's own: PrinterSettings.ini in a dialog
    kCmdZoomFit = 32902,          // Kestrix's own: the label fitted into the view
    kCmdZoomActual = 32903,       // Kestrix's own: the label at its true size on the screen
    kCmdCopy = 57634,
    kCmdCut = 57635,
    kCmdPaste = 57637,
    kCmdSelectAll = 57642,
    kCmdUndo = 57643,
    kCmdRedo = 57644,
    kCmdAbout = 57664,
    kCmdExit = 57665,
    kCmdNextPane = 57680,
    kCmdPrevPane = 57681,
};

// The tool bar's font choice (the first user message number plus 100).
constexpr int kMsgFontChoice = 1124;

}  // namespace kestrix
