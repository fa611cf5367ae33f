// The undo folder of an editor window through its life: made private and
// locked at start, removed at close, found by the next start when its editor
// died (and only then), offered when it holds a label that reads, removed with
// a note when it does not; recovered with its undo history; a full disk.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DocumentTestSupport.h"
#include "document/LabelSession.h"
#include "document/RecoverableLabel.h"

namespace kestrix {
namespace {

using namespace test;

QStringList Folders(const QString& parent) {
    return QDir(parent).entryList({"kestrix-undo-*"}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// An editor in a process of its own: `body` runs there, then it waits until
// Kill ends it as kill -9 does.
class OtherEditor {
public:
    explicit OtherEditor(const std::function<void()>& body) {
        int ready[2], go[2];
        EXPECT_EQ(::pipe(ready), 0);
        EXPECT_EQ(::pipe(go), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            body();
            char byte = 1;
            if (::write(ready[1], &byte, 1) != 1) ::_exit(1);
            (void)::read(go[0], &byte, 1);  // never answered: killed while waiting
            ::_exit(0);
        }
        char byte = 0;
        EXPECT_EQ(::read(ready[0], &byte, 1), 1);
        for (int fd : {ready[0], ready[1], go[0]}) ::close(fd);
        go_ = go[1];
    }
    ~OtherEditor() { Kill(); }
    void Kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ::close(go_);
        pid_ = 0;
    }

private:
    pid_t pid_ = 0;
    int go_ = -1;
};

TEST(UndoFolder, EveryStartGetsAPrivateLockedFolderOfItsOwnRemovedWhenItCloses) {
    QTemporaryDir parent;
    QString kept;
    {
        const UndoFolder a = UndoFolder::Create({parent.path()});
        const UndoFolder b = UndoFolder::Create({parent.path()});
        ASSERT_TRUE(a.IsValid() && b.IsValid());
        EXPECT_NE(a.Path(), b.Path()) << "two starts in the same second";
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(a.Path()).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_TRUE(UndoFolder::Abandoned({parent.path()}).empty()) << "both are held";
        EXPECT_EQ(Folders(parent.path()).size(), 2);
        kept = a.Path();
    }
    EXPECT_TRUE(Folders(parent.path()).isEmpty());

    // The first parent where a folder can be made; none anywhere says why.
    ASSERT_TRUE(WriteFileBytes(parent.filePath("file"), "x"));
    const UndoFolder fallback = UndoFolder::Create({parent.filePath("missing"), parent.path()});
    EXPECT_EQ(QFileInfo(fallback.Path()).absolutePath(), parent.path());
    for (auto [where, error] : {std::pair{parent.filePath("missing"), ENOENT}, {parent.filePath("file"), ENOTDIR}}) {
        UndoProblem problem;
        EXPECT_FALSE(UndoFolder::Create({where}, &problem).IsValid());
        EXPECT_EQ(problem.folder, where);
        EXPECT_EQ(problem.systemError, error);
    }
}

TEST(UndoFolder, OnlyTheFolderOfAnEditorThatDiedIsFoundAndThenByOneStartOnly) {
    QTemporaryDir parent;
    // Killed while it holds the folder.
    OtherEditor other([&] { new UndoFolder(UndoFolder::Create({parent.path()})); });
    ASSERT_EQ(Folders(parent.path()).size(), 1);
    EXPECT_TRUE(UndoFolder::Abandoned({parent.path()}).empty()) << "its editor lives";
    other.Kill();
    std::vector<UndoFolder> found = UndoFolder::Abandoned({parent.path()});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(UndoFolder::Abandoned({parent.path()}).empty()) << "held by the start that found it";
    found.clear();
    EXPECT_EQ(Folders(parent.path()).size(), 1) << "let go, it waits for the next start";
    UndoFolder::Abandoned({parent.path()}).front().Remove();
    EXPECT_TRUE(Folders(parent.path()).isEmpty());
}

// Folders left by dead editors, made by hand: a state file and numbered files.
TEST(RecoverableLabel, OfferedOnlyWhenItsStateAndShownSnapshotReadAsALabel) {
    const QByteArray good = Records({Text(u"a", 0), Text(u"b", 100)});
    LabelElement unknown = Text(u"?", 0);
    unknown.nType = 9;
    UndoState unsaved;
    unsaved.pos = unsaved.top = unsaved.count = 1;
    unsaved.unsaved = true;
    unsaved.labelPath = "/labels/shelf.lab";
    UndoState saved = unsaved;
    saved.unsaved = false;
    UndoState beyond = unsaved;
    beyond.pos = beyond.top = beyond.count = 2;
    struct Case {
        const char* name;
        QByteArray state, snapshot;
        bool offered;
        const char* note;  // a part of the note on standard error; none when empty
    };
    const Case cases[] = {
        {"good", UndoStateBytes(unsaved), good, true, ""},
        {"never changed", {}, good, false, ""},
        {"saved", UndoStateBytes(saved), good, false, ""},
        {"damaged state", "{\"width_mm\": 50", good, false, "label.json does not read"},
        {"truncated", UndoStateBytes(unsaved), good.left(900), false, "1.undo is missing, empty or cut short"},
        {"missing", UndoStateBytes(beyond), good, false, "2.undo is missing"},
        {"unknown kind", UndoStateBytes(unsaved), Records({unknown}), false, "unknown kind 9"},
    };
    for (const Case& c : cases) {
        QTemporaryDir parent;
        const QString folder = parent.filePath(QStringLiteral("kestrix-undo-") + c.name);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(c.state.isNull() || WriteFileBytes(folder + "/label.json", c.state));
        ASSERT_TRUE(WriteFileBytes(folder + "/1.undo", c.snapshot));
        QStringList notes;
        std::vector<RecoverableLabel> found = FindRecoverableLabels({parent.path()}, &notes);
        EXPECT_EQ(found.size(), c.offered ? 1u : 0u) << c.name;
        EXPECT_EQ(QFileInfo::exists(folder), c.offered) << c.name << ": a folder not offered goes";
        EXPECT_EQ(notes.size(), *c.note ? 1 : 0) << c.name;
        EXPECT_TRUE(!*c.note || (notes.value(0).contains(c.note) && notes.value(0).contains(folder))) << c.name;
        if (c.offered) {
            EXPECT_EQ(Texts(found[0].elements), QStringList({"a", "b"}));
            EXPECT_EQ(found[0].state.labelPath, "/labels/shelf.lab");
        }
    }

    UndoState odd = unsaved;
    odd.printerName = QByteArray("\xe6\xa0\x87\x00\xff", 5);
    odd.scales = {{0, {1.0, 1.0}}, {1, {2.5, 0.75}}};
    EXPECT_EQ(UndoStateBytes(ParseUndoState(UndoStateBytes(odd)).value()), UndoStateBytes(odd));
    const std::pair<const char*, QJsonValue> broken[] = {
        {"pos", 3}, {"width_mm", 0}, {"path", 5}, {"scales", QJsonArray{QJsonArray{1, 0, 1}}}, {"top", QJsonValue()}};
    for (const auto& [key, value] : broken) {
        QJsonObject o = QJsonDocument::fromJson(UndoStateBytes(odd)).object();
        o[key] = value;
        EXPECT_FALSE(ParseUndoState(QJsonDocument(o).toJson()).has_value()) << key;
    }
}

TEST(RecoverableLabel, RecoveredWithItsUndoHistoryWhoseFolderBecomesTheNewWindowsOwn) {
    QTemporaryDir parent;
    OtherEditor died([&] {
        auto* session = new LabelSession(UndoFolder::Create({parent.path()}));
        session->NewLabel(60, 40);
        session->SetViewScale(2.0, 2.0);
        for (const char16_t* text : {u"a", u"b", u"c"}) {
            session->Elements().push_back(Text(text, 10));
            session->TakeSnapshot();
        }
        session->SaveLabel(parent.filePath("shelf.lab"));
        session->UndoStep();  // shows {a, b}, which is not what was saved
    });
    died.Kill();
    QStringList notes;
    std::vector<RecoverableLabel> found = FindRecoverableLabels({parent.path()}, &notes);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(notes.isEmpty());
    const QString left = found[0].folder.Path();
    EXPECT_LE(found[0].changedAt.secsTo(QDateTime::currentDateTime()), 60);
    {
        LabelSession session(UndoFolder::Create({parent.path()}));
        const QString own = session.Undo().Folder().Path();
        session.Recover(std::move(found[0]));
        EXPECT_FALSE(QFileInfo::exists(own));
        const LabelDocument& doc = session.Document();
        EXPECT_EQ(QString("%1x%2 %3").arg(doc.widthMm).arg(doc.heightMm).arg(QFileInfo(doc.labelPath).fileName()),
                  "60x40 shelf.lab");
        EXPECT_EQ(Texts(doc.elements), QStringList({"a", "b"}));
        EXPECT_TRUE(session.HasUnsavedChanges());
        EXPECT_TRUE(session.RedoStep());
        EXPECT_EQ(Texts(doc.elements), QStringList({"a", "b", "c"}));
        EXPECT_FALSE(session.HasUnsavedChanges()) << "as saved";
        EXPECT_TRUE(session.UndoStep() && session.UndoStep() && session.UndoStep());
        EXPECT_TRUE(doc.elements.empty()) << "a new label's first state";
        EXPECT_TRUE(UndoFolder::Abandoned({parent.path()}).empty());
    }
    EXPECT_FALSE(QFileInfo::exists(left)) << "gone with the window that recovered it";
}

TEST(UndoSnapshots, AFullDiskLeavesEveryWrittenStepWholeAndSaysWhyOnce) {
    QTemporaryDir dir;
    UndoSnapshots undo{UndoFolder(dir.path())};
    const std::vector<LabelElement> one{Text(u"a", 0)}, many(10, Text(u"b", 0));
    undo.TakeSnapshot(one);
    WithFileSizeLimit(2000, [&] { undo.TakeSnapshot(many); });  // room for two records, not ten
    ASSERT_TRUE(undo.Problem().has_value());
    EXPECT_EQ(undo.Problem()->systemError, EFBIG);
    EXPECT_EQ(undo.nSnapshotCount(), 2) << "the label still counts as changed";
    EXPECT_EQ(undo.nSnapshotPos(), 1);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("2.undo")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"1.undo"}) << "no piece of the failed write";
    EXPECT_EQ(FileBytes(dir.filePath("1.undo")), Records(one));
}

}  // namespace
}  // namespace kestrix
