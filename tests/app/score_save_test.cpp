#include "app/score_file.h"
#include "platform/system/file_replace.h"

#include "support/file_size_limit.h"
#include "support/files.h"
#include "support/game_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Table = int32_t[6];
const Table kRun = {30, 500, 30, 7, 1150, 30}; // no 0x0A bytes, so the file is the raw table
const Table kOld = {5, 5, 5, 0, 5, 5};
constexpr uid_t kNobody = 65534;

std::string bytesOf(const Table& table) {
    return std::string(reinterpret_cast<const char*>(table), 24);
}

fs::perms modeOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

std::vector<std::string> temporariesIn(const fs::path& folder, const std::string& fileName) {
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (isTemporaryName(entry.path().filename().c_str(), fileName.c_str()))
            found.push_back(entry.path().filename().string());
    return found;
}

class ScoreSaveTest : public testing::Test {
  protected:
    void SetUp() override {
        folder = makeGameFolder("scores", false);
        file = folder / "Vorblet.dat";
        oldMask = ::umask(0002);
    }
    void TearDown() override { ::umask(oldMask); }
    fs::path folder, file;
    mode_t oldMask = 0;
};

using fs::perms;
const perms kReadOnly = perms::owner_read | perms::group_read | perms::others_read;

enum class Content { newScores, oldScores, none };

// One kind of thing at the score path, saved over with kRun where kOld was.
struct FileKind {
    const char* kind;
    std::function<void(const fs::path&)> make; // makes Vorblet.dat in the given folder
    int result;
    fs::file_type typeAfter; // of Vorblet.dat itself, links not followed
    const char* holder;      // the file that holds the scores afterwards
    Content content;
    perms mode;
};

std::function<void(const fs::path&)> plainFile(perms mode, bool lockFolder = false) {
    return [=](const fs::path& sub) {
        writeFile(sub / "Vorblet.dat", bytesOf(kOld));
        fs::permissions(sub / "Vorblet.dat", mode);
        if (lockFolder) fs::permissions(sub, perms::owner_read | perms::owner_exec);
    };
}

std::function<void(const fs::path&)> linkToFile(bool withTarget) {
    return [=](const fs::path& sub) {
        fs::create_directories(sub / "target");
        if (withTarget) {
            writeFile(sub / "target" / "real.dat", bytesOf(kOld));
            fs::permissions(sub / "target" / "real.dat", perms(0600));
        }
        fs::create_symlink("target/real.dat", sub / "Vorblet.dat");
    };
}

void checkSaves(const fs::path& folder, const std::vector<FileKind>& kinds) {
    for (const FileKind& k : kinds) {
        SCOPED_TRACE(k.kind);
        const fs::path sub = folder / k.kind;
        fs::create_directories(sub);
        k.make(sub);
        EXPECT_EQ(saveScoreTable((sub / "Vorblet.dat").c_str(), kRun), k.result);
        fs::permissions(sub, perms::owner_all);
        EXPECT_EQ(fs::symlink_status(sub / "Vorblet.dat").type(), k.typeAfter);
        if (k.content != Content::none) {
            const fs::path holder = sub / k.holder;
            EXPECT_EQ(readFile(holder), bytesOf(k.content == Content::newScores ? kRun : kOld));
            EXPECT_EQ(modeOf(holder), k.mode);
            EXPECT_TRUE(temporariesIn(holder.parent_path(), holder.filename().string()).empty());
        }
        EXPECT_TRUE(temporariesIn(sub, "Vorblet.dat").empty());
    }
}

TEST_F(ScoreSaveTest, EachKindOfFileIsSavedOrLeftAlone) {
    checkSaves(
        folder,
        {
            {"missing", [](const fs::path&) {}, 1, fs::file_type::regular, "Vorblet.dat",
             Content::newScores, perms(0664)},
            {"file of mode 0600", plainFile(perms(0600)), 1, fs::file_type::regular, "Vorblet.dat",
             Content::newScores, perms(0600)},
            {"FIFO", [](const fs::path& sub) { ::mkfifo((sub / "Vorblet.dat").c_str(), 0666); }, 0,
             fs::file_type::fifo, nullptr, Content::none, perms()},
            {"folder", [](const fs::path& sub) { fs::create_directories(sub / "Vorblet.dat"); }, 0,
             fs::file_type::directory, nullptr, Content::none, perms()},
            {"link to a device",
             [](const fs::path& sub) { fs::create_symlink("/dev/null", sub / "Vorblet.dat"); }, 0,
             fs::file_type::symlink, nullptr, Content::none, perms()},
            {"link to a file", linkToFile(true), 1, fs::file_type::symlink, "target/real.dat",
             Content::newScores, perms(0600)},
            {"dangling link", linkToFile(false), 1, fs::file_type::symlink, "target/real.dat",
             Content::newScores, perms(0664)},
        });
    EXPECT_EQ(fs::status("/dev/null").type(), fs::file_type::character);
}

// Root may write whatever the permissions say, so as root (as CI runs) this test runs itself
// again as the user nobody, in a folder of nobody's.
int runAsNobody(const fs::path& folder) {
    const std::string filter =
        std::string("--gtest_filter=") +
        testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "." +
        testing::UnitTest::GetInstance()->current_test_info()->name();
    std::fflush(stdout);
    pid_t child = ::fork();
    if (child == 0) {
        ::setenv("TMPDIR", folder.c_str(), 1);
        if (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0)
            ::execl("/proc/self/exe", "vorblet_tests", filter.c_str(), (char*)nullptr);
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST_F(ScoreSaveTest, PermissionsOfFileAndFolderAreRespected) {
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
        const int code = runAsNobody(folder);
        if (code == 127) GTEST_SKIP() << "the user nobody may not run this test program here";
        EXPECT_EQ(code, 0) << "the test failed as the user nobody";
        return;
    }
    const perms ownerMayNotWrite = kReadOnly | perms::group_write;
    checkSaves(folder,
               {
                   {"read-only file", plainFile(kReadOnly), 0, fs::file_type::regular,
                    "Vorblet.dat", Content::oldScores, kReadOnly},
                   {"file its owner may not write", plainFile(ownerMayNotWrite), 0,
                    fs::file_type::regular, "Vorblet.dat", Content::oldScores, ownerMayNotWrite},
                   {"writable file in a locked folder", plainFile(perms(0640), true), 1,
                    fs::file_type::regular, "Vorblet.dat", Content::newScores, perms(0640)},
                   {"read-only file in a locked folder", plainFile(kReadOnly, true), 0,
                    fs::file_type::regular, "Vorblet.dat", Content::oldScores, kReadOnly},
               });
}

TEST_F(ScoreSaveTest, AScoreAnotherCopySavedMeanwhileIsKept) {
    // Both copies read the defaults; copy A scores 1150 in NORMAL and quits first, then copy B
    // quits with its own better HYPER and ULTRA scores.
    const Table defaults = {30, 30, 30, 0, 30, 30};
    writeFile(file, bytesOf(defaults));
    const Table copyA = {30, 30, 30, 0, 1150, 30};
    const Table copyB = {30, 500, 30, 7, 30, 30};
    ASSERT_EQ(saveScoreTable(file.c_str(), copyA), 1);
    ASSERT_EQ(saveScoreTable(file.c_str(), copyB), 1);
    const Table both = {30, 500, 30, 7, 1150, 30};
    EXPECT_EQ(readFile(file), bytesOf(both));

    // A lower score on disk never lowers ours, and 0x0A bytes are decoded before comparing:
    // 0x0A0A stored as five bytes is larger than 2000.
    const Table lineFeeds = {0x0A0A, 0, 0, 0, 0, 0};
    ASSERT_EQ(writeDataFile(file.c_str(), lineFeeds, 24), 1);
    const Table ours = {2000, 1, 1, 1, 1, 1};
    ASSERT_EQ(saveScoreTable(file.c_str(), ours), 1);
    Table back = {};
    ASSERT_EQ(readDataFile(file.c_str(), back, 24), 1);
    const Table larger = {0x0A0A, 1, 1, 1, 1, 1};
    EXPECT_EQ(bytesOf(back), bytesOf(larger));
}

TEST_F(ScoreSaveTest, AShortFileMergesOnlyItsWholeEntries) {
    // Three whole entries and two bytes of a fourth, which must not count as a score.
    writeFile(file, std::string("\xE8\x03\0\0\xE8\x03\0\0\x01\0\0\0\xFF\x7F", 14));
    const Table ours = {30, 30, 30, 0, 30, 30};
    ASSERT_EQ(saveScoreTable(file.c_str(), ours), 1);
    const Table merged = {1000, 1000, 30, 0, 30, 30};
    EXPECT_EQ(readFile(file), bytesOf(merged));
}

TEST_F(ScoreSaveTest, StaleTemporariesAreRemovedAndNothingElse) {
    fs::create_directories(folder / "elsewhere");
    writeFile(folder / "elsewhere" / "victim", "keep");
    writeFile(folder / "Vorblet.dat.a1B2c3", "stale");
    writeFile(folder / "Vorblet.dat.Zz9Yy8", "stale too");
    std::vector<std::string> kept = {
        "Vorblet.dat.InUse1", "Vorblet.dat.new",    "Vorblet.dat.abcdefg",
        "Vorblet.dat.ab-123", "Vorblet.dat.link12", "Vorblet.dat.fold12",
        "Vorblet.dat.fifo12", "Other.dat.abc123",   "Vorblet.datXabc123",
    };
    for (const char* name : {"Vorblet.dat.InUse1", "Vorblet.dat.new", "Vorblet.dat.abcdefg",
                             "Vorblet.dat.ab-123", "Other.dat.abc123", "Vorblet.datXabc123"})
        writeFile(folder / name, "keep");
    fs::create_symlink("elsewhere/victim", folder / "Vorblet.dat.link12");
    fs::create_directories(folder / "Vorblet.dat.fold12");
    ASSERT_EQ(::mkfifo((folder / "Vorblet.dat.fifo12").c_str(), 0666), 0);
    // A save still running holds its temporary file locked.
    int inUse = ::open((folder / "Vorblet.dat.InUse1").c_str(), O_RDONLY);
    ASSERT_GE(inUse, 0);
    ASSERT_EQ(::flock(inUse, LOCK_EX), 0);
    // Someone else's file of our pattern is not ours to remove (only root can make one here).
    if (::geteuid() == 0) {
        writeFile(folder / "Vorblet.dat.Other1", "keep");
        ASSERT_EQ(::chown((folder / "Vorblet.dat.Other1").c_str(), kNobody, kNobody), 0);
        kept.push_back("Vorblet.dat.Other1");
    }

    EXPECT_EQ(saveScoreTable(file.c_str(), kRun), 1);
    ::close(inUse);
    EXPECT_EQ(readFile(file), bytesOf(kRun));
    EXPECT_FALSE(fs::exists(folder / "Vorblet.dat.a1B2c3"));
    EXPECT_FALSE(fs::exists(folder / "Vorblet.dat.Zz9Yy8"));
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(fs::symlink_status(folder / name))) << name;
    EXPECT_EQ(readFile(folder / "elsewhere" / "victim"), "keep");
}

TEST_F(ScoreSaveTest, ALinkPlantedAtATemporaryNameIsNeverFollowed) {
    writeFile(file, bytesOf(kOld));
    writeFile(folder / "victim", "keep");
    fs::create_symlink("victim", folder / "Vorblet.dat.new");
    EXPECT_EQ(saveScoreTable(file.c_str(), kRun), 1);
    EXPECT_EQ(readFile(folder / "victim"), "keep");
    EXPECT_EQ(fs::symlink_status(file).type(), fs::file_type::regular);
    EXPECT_EQ(readFile(file), bytesOf(kRun));
}

TEST_F(ScoreSaveTest, AFailedSaveLeavesTheOldFileWholeAndNoTemporary) {
    writeFile(file, bytesOf(kOld));
    // A file-size limit below the file's size makes the write fail part-way, as a full disk
    // would.
    int result = 0;
    {
        FileSizeLimit limit(10, SIG_IGN);
        result = saveScoreTable(file.c_str(), kRun);
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readFile(file), bytesOf(kOld));
    EXPECT_TRUE(temporariesIn(folder, "Vorblet.dat").empty());
}

// A disk with no room for a second copy of the file: the file's own blocks take the new scores.
TEST_F(ScoreSaveTest, AFullDiskRewritesTheFileInPlace) {
    const fs::path disk = folder / "disk";
    fs::create_directories(disk);
    if (::mount("vorblet-test", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here: " << std::strerror(errno);
    const fs::path scores = disk / "Vorblet.dat";
    writeFile(scores, bytesOf(kOld));
    {
        std::ofstream filler(disk / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), std::streamsize(block.size())) && filler.flush()) {
        }
    }
    const int result = saveScoreTable(scores.c_str(), kRun);
    const std::string after = readFile(scores);
    const std::vector<std::string> left = temporariesIn(disk, "Vorblet.dat");
    ::umount(disk.c_str());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(after, bytesOf(kRun));
    EXPECT_TRUE(left.empty());
}

// Another copy that holds the lock too long is waited for a few seconds, then the save goes on
// and says so.
TEST_F(ScoreSaveTest, ALockHeldTooLongIsToldAndTheSaveGoesOn) {
    writeFile(file, bytesOf(kOld));
    const int held = ::open((folder / "Vorblet.dat.lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    testing::internal::CaptureStderr();
    const int result = saveScoreTable(file.c_str(), kRun);
    const std::string told = testing::internal::GetCapturedStderr();
    ::close(held);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(readFile(file), bytesOf(kRun));
    EXPECT_NE(told.find((folder / "Vorblet.dat.lock").string()), std::string::npos) << told;
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
}

// Runs saveScoreTable in a child process as the user nobody; its result, or -1.
int saveAsNobody(const fs::path& path) {
    pid_t child = ::fork();
    if (child == 0) {
        int result = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0
                         ? saveScoreTable(path.c_str(), kRun)
                         : 2;
        ::_exit(result);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST_F(ScoreSaveTest, AnotherUsersFileIsNotReplacedEvenInAFolderWeMayWrite) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    // The folder is nobody's, the file root's with mode 0644: nobody may not write the file,
    // though a rename in the folder would replace it.
    writeFile(file, bytesOf(kOld));
    fs::permissions(file, fs::perms(0644));
    ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
    EXPECT_EQ(saveAsNobody(file), 0);
    EXPECT_EQ(readFile(file), bytesOf(kOld));
    struct stat status;
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 0u);
    EXPECT_TRUE(temporariesIn(folder, "Vorblet.dat").empty());

    // Once the file is nobody's, nobody saves it.
    ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    EXPECT_EQ(saveAsNobody(file), 1);
    EXPECT_EQ(readFile(file), bytesOf(kRun));
}

TEST_F(ScoreSaveTest, ASaveByRootKeepsThePlayersFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can save another user's file";
    writeFile(file, bytesOf(kOld));
    fs::permissions(file, fs::perms(0640));
    ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    EXPECT_EQ(saveScoreTable(file.c_str(), kRun), 1);
    struct stat status;
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, kNobody);
    EXPECT_EQ(status.st_gid, kNobody);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(readFile(file), bytesOf(kRun));
}

} // namespace
