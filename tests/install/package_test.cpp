// The Debian package as a user gets it: unpacked into a scratch root, its program started from
// another folder finds the installed data, draws what the build draws and keeps the scores in
// the XDG data folder of a scratch home.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include "platform/system/version.h"
#include "support/files.h"
#include "support/game_run.h"

namespace fs = std::filesystem;

namespace {

// Runs a shell command; its exit code, or -1 when it did not exit.
int shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const char* const kTitleScript = "5000 down ESCAPE\n5100 up ESCAPE\n";

TEST(Package, TheUnpackedPackageRunsFromAnotherFolderLikeTheBuild) {
    const fs::path scratch = makeGameFolder("package", false);
    const fs::path out = scratch / "out", root = scratch / "root", home = scratch / "home",
                   away = scratch / "away";
    fs::create_directories(home);
    fs::create_directories(away);
    // gzip rather than xz keeps the test quick; the package is otherwise the one make package
    // builds.
    ASSERT_EQ(shell(quoted(VORBLET_CPACK) + " -G DEB --config " +
                    quoted(std::string(VORBLET_BINARY_DIR) + "/CPackConfig.cmake") + " -B " +
                    quoted(out.string()) + " -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip > " +
                    quoted((scratch / "cpack.log").string()) + " 2>&1"),
              0)
        << readFile(scratch / "cpack.log");
    fs::path deb;
    for (const fs::directory_entry& entry : fs::directory_iterator(out))
        if (entry.path().extension() == ".deb") deb = entry.path();
    ASSERT_FALSE(deb.empty()) << readFile(scratch / "cpack.log");

    ASSERT_EQ(shell("dpkg-deb -f " + quoted(deb.string()) + " Package Version Section > " +
                    quoted((scratch / "fields").string())),
              0);
    EXPECT_EQ(readFile(scratch / "fields"), std::string("Package: vorblet\nVersion: ") +
                                                platform::kVersion + "\nSection: games\n");

    ASSERT_EQ(shell("dpkg -x " + quoted(deb.string()) + " " + quoted(root.string())), 0);
    const fs::path usr = root / "usr";
    for (const char* file :
         {"bin/vorblet", "share/vorblet/BMP/128.bmp", "share/vorblet/BMP/QUORINLOGO.bmp",
          "share/vorblet/wav/143.wav", "share/applications/vorblet.desktop",
          "share/metainfo/io.github.vorblet.vorblet.metainfo.xml", "share/man/man6/vorblet.6",
          "share/doc/vorblet/LICENSE", "share/icons/hicolor/16x16/apps/vorblet.png",
          "share/icons/hicolor/256x256/apps/vorblet.png"})
        EXPECT_TRUE(fs::is_regular_file(usr / file)) << file;

    // The installed program from a folder with no game files, with a home of its own and no
    // XDG_DATA_HOME: the scores go to ~/.local/share/vorblet.
    std::ofstream(away / "script.txt") << kTitleScript;
    const int installed = shell(
        "cd " + quoted(away.string()) + " && env -u XDG_DATA_HOME HOME=" + quoted(home.string()) +
        " timeout -s KILL 120 " + quoted((usr / "bin/vorblet").string()) +
        " --headless --script script.txt --shot 4000:title.bmp 2> stderr.txt");
    EXPECT_EQ(installed, 0) << readFile(away / "stderr.txt");

    const fs::path built = makeGameFolder("built");
    GameRun run = runHeadless(built, kTitleScript, {"--shot", "4000:title.bmp"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::string picture = readFile(built / "title.bmp");
    ASSERT_EQ(picture.size(), 54u + 640 * 460 * 3);
    EXPECT_TRUE(readFile(away / "title.bmp") == picture) << "the installed title screen differs";

    EXPECT_EQ(readFile(home / ".local/share/vorblet/Vorblet.dat"), readFile(built / "Vorblet.dat"));
    EXPECT_FALSE(fs::exists(away / "Vorblet.dat"));
}

// The version is written once in the game's header; the build reads it there, and the metadata
// and the manual page must name the same one.
TEST(Package, TheMetadataAndTheManualNameTheGamesVersion) {
    const std::string version = platform::kVersion;
    EXPECT_EQ(version, VORBLET_VERSION);
    const std::string metainfo =
        readFile(fs::path(VORBLET_SOURCE_DIR) / "dist/io.github.vorblet.vorblet.metainfo.xml");
    const std::string release = "<release version=\"";
    const size_t at = metainfo.find(release);
    ASSERT_NE(at, std::string::npos);
    const size_t from = at + release.size();
    EXPECT_EQ(metainfo.substr(from, metainfo.find('"', from) - from), version);
    const std::string manual = readFile(fs::path(VORBLET_SOURCE_DIR) / "dist/vorblet.6");
    EXPECT_NE(manual.find("\"Vorblet " + version + "\""), std::string::npos);
}

} // namespace
