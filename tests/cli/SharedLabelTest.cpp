// A label file shared in a folder: saving its numbers back keeps the file's
// owner, group, mode and hard links, also when another user of its group
// saves it, so its owner's next run can still save.

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QProcess>

#include "CliFixture.h"

namespace kestrix {
namespace {

constexpr uid_t kOwner = 1001;
constexpr uid_t kOtherUser = 1002;
constexpr gid_t kSharedGroup = 2000;

class SharedLabel : public Cli {
protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "only root can hand files to other users";
        Cli::SetUp();
        // The folder is shared: every user may make files in it.
        ASSERT_EQ(::chmod(QFile::encodeName(dir_.path()).constData(), 01777), 0);
        Write("empty.ini", "");
    }
    struct stat Stat(const QString& name) const {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(Path(name)).constData(), &st), 0);
        return st;
    }
    void Hand(const QString& name, uid_t owner, gid_t group, mode_t mode) const {
        const QByteArray file = QFile::encodeName(Path(name));
        ASSERT_EQ(::chown(file.constData(), owner, group), 0);
        ASSERT_EQ(::chmod(file.constData(), mode), 0);
    }
    // tspl --update of `label` as `user` (a member of the shared group), or as root.
    int UpdateAs(uid_t user, const QString& label) const {
        QProcess process;
        process.setWorkingDirectory(dir_.path());
        process.setChildProcessModifier([user] {
            if (user == 0) return;
            const gid_t groups[] = {kSharedGroup};
            if (setgroups(1, groups) != 0 || setgid(kSharedGroup) != 0 || setuid(user) != 0) _exit(99);
        });
        process.start(QStringLiteral(KESTRIX_CLI),
                      {"tspl", label, "--update", "--settings", "empty.ini", "-o", "/dev/null"});
        process.waitForFinished(10000);
        return process.exitCode();
    }
};

TEST_F(SharedLabel, ASaveKeepsOwnerGroupModeAndLinks) {
    WriteCountingLabel("s.lab", u"0001");
    Hand("s.lab", kOwner, kSharedGroup, 0664);
    ASSERT_EQ(::link(QFile::encodeName(Path("s.lab")).constData(), QFile::encodeName(Path("t.lab")).constData()), 0);
    const ino_t inode = Stat("s.lab").st_ino;
    for (const uid_t user : {uid_t(0), kOtherUser, kOwner}) {
        SCOPED_TRACE(user);
        ASSERT_EQ(UpdateAs(user, "s.lab"), 0);
        const struct stat st = Stat("s.lab");
        EXPECT_EQ(st.st_uid, kOwner);
        EXPECT_EQ(st.st_gid, kSharedGroup);
        EXPECT_EQ(st.st_mode & 07777, 0664);
        EXPECT_EQ(st.st_nlink, 2) << "still one file under both names";
        EXPECT_EQ(st.st_ino, inode);
        EXPECT_EQ(Read("t.lab"), Read("s.lab"));
    }
    EXPECT_EQ(Number("s.lab"), u"0004");

    // A file of one name is renamed over, its mode kept even when read-only;
    // another user of the group writes into it and it stays its owner's.
    WriteCountingLabel("r.lab", u"0001");
    Hand("r.lab", kOwner, kSharedGroup, 0444);
    ASSERT_EQ(UpdateAs(0, "r.lab"), 0);
    EXPECT_EQ(Stat("r.lab").st_mode & 07777, 0444);
    EXPECT_EQ(Stat("r.lab").st_uid, kOwner);
    WriteCountingLabel("g.lab", u"0001");
    Hand("g.lab", kOwner, kSharedGroup, 0660);
    ASSERT_EQ(UpdateAs(kOtherUser, "g.lab"), 0);
    ASSERT_EQ(UpdateAs(kOwner, "g.lab"), 0);
    EXPECT_EQ(Stat("g.lab").st_uid, kOwner);
    EXPECT_EQ(Stat("g.lab").st_gid, kSharedGroup);
    EXPECT_EQ(Stat("g.lab").st_mode & 07777, 0660);
    EXPECT_EQ(Number("g.lab"), u"0003");
    // A user the file does not let write is refused and the file stays whole.
    const QByteArray before = Read("r.lab");
    EXPECT_EQ(UpdateAs(kOtherUser, "r.lab"), 1);
    EXPECT_EQ(Read("r.lab"), before);
}

}  // namespace
}  // namespace kestrix
