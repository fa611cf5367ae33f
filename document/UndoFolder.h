#pragma once
// The folder that holds one editor window's undo files. A window makes its own
// private folder at start ("kestrix-undo-XXXXXX", mode 0700, a fresh name for
// every start) and holds an exclusive lock on the "lock" file inside it for as
// long as it lives; the folder goes when the window closes. The lock goes with
// the process, so a folder whose lock anyone can take was left by an editor
// that died, whatever process now has its old number: the next start finds it
// and offers the label in it.

#include <QString>
#include <QStringList>
#include <vector>

namespace kestrix {

// Why undo files cannot be kept: the folder that could not be made or
// written, and the system's error number.
struct UndoProblem {
    QString folder;
    int systemError = 0;
};

class UndoFolder {
public:
    // No folder: undo steps are counted but not kept.
    UndoFolder() = default;
    // A folder used as it is, neither locked nor removed (tests, benchmarks).
    explicit UndoFolder(QString path);
    UndoFolder(UndoFolder&& other) noexcept;
    UndoFolder& operator=(UndoFolder&& other) noexcept;
    UndoFolder(const UndoFolder&) = delete;
    UndoFolder& operator=(const UndoFolder&) = delete;
    // A folder of this window's own is removed.
    ~UndoFolder();

    // Where editors make their folders: $XDG_RUNTIME_DIR, then the temporary folder.
    static QStringList DefaultParents();
    // A new private folder, locked, in the first of `parents` where one can be
    // made; none (and `problem` says why) when it cannot be made anywhere.
    static UndoFolder Create(const QStringList& parents, UndoProblem* problem = nullptr);
    // The folders in `parents` that no living editor holds, newest first, each
    // now locked by the caller so that no other start takes it meanwhile. They
    // are kept when let go unless Remove or Adopt says otherwise.
    static std::vector<UndoFolder> Abandoned(const QStringList& parents);

    bool IsValid() const { return !path_.isEmpty(); }
    const QString& Path() const { return path_; }
    QString FilePath(const QString& name) const;
    // From now on removed when let go, as a window's own folder is.
    void Adopt() { owned_ = true; }
    // Deletes the folder and everything in it now.
    void Remove();

private:
    UndoFolder(QString path, int lockFd, bool owned);
    void Close();

    QString path_;
    int lockFd_ = -1;
    bool owned_ = false;
};

}  // namespace kestrix
