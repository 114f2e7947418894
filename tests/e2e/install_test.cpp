// The program as a new user meets it: installed with `cmake --install` into a
// prefix of its own, started from an unrelated directory, moved, stripped of
// its scene, asked for its version, and started where there is no display.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/data_directory.h"
#include "app/help_text.h"
#include "harness.h"

namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

// A shell command, its exit status and what it wrote.
Outcome run(const std::string& command) {
    const std::string out =
        fs::temp_directory_path() / ("velmora_run_out_" + std::to_string(getpid()));
    const std::string err =
        fs::temp_directory_path() / ("velmora_run_err_" + std::to_string(getpid()));
    const int status = std::system((command + " >" + out + " 2>" + err).c_str());
    Outcome r;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readFile(out);
    r.err = readFile(err);
    fs::remove(out);
    fs::remove(err);
    return r;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// A fresh prefix with the build installed into it, removed afterwards.
class Installed : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velmora_prefix_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        top = pattern;
        prefix = top + "/usr";
        const Outcome install = run(std::string("'") + VELMORA_CMAKE + "' --install '" +
                                    VELMORA_BUILD_DIR + "' --prefix '" + prefix + "'");
        ASSERT_EQ(install.status, 0) << install.out << install.err;
    }
    void TearDown() override { fs::remove_all(top); }

    // The first frame at rest after the intro, from the program at `binary`
    // started in /, with what it printed.
    struct Seen {
        Image frame;
        std::string out, err;
    };
    Seen startFromRoot(const std::string& binary) {
        XvfbScreen screen(1024, 768);
        Seen seen;
        EXPECT_TRUE(screen.ok());
        Program velmora(screen, {"--windowed"}, "/", binary);
        EXPECT_TRUE(velmora.waitForWindow()) << velmora.errorOutput();
        EXPECT_TRUE(velmora.goesIdle(20.0)) << "still busy after the intro";
        seen.frame = velmora.screenshot();
        seen.out = velmora.output();
        seen.err = velmora.errorOutput();
        return seen;
    }

    std::string top, prefix;
};

TEST_F(Installed, PutsTheProgramSceneMenuEntryIconAndManualInPlace) {
    EXPECT_EQ(access((prefix + "/bin/velmora").c_str(), X_OK), 0);

    // The scene keeps the names and folders the program reads.
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(VELMORA_DATA_DIR)) {
        if (!e.is_regular_file()) continue;
        ++files;
        const fs::path installed =
            prefix + "/share/velmora/" + fs::relative(e.path(), VELMORA_DATA_DIR).string();
        ASSERT_TRUE(fs::exists(installed)) << installed;
        EXPECT_EQ(fs::file_size(installed), e.file_size()) << installed;
    }
    EXPECT_GE(files, 20);
    EXPECT_TRUE(fs::exists(prefix + "/share/velmora/" + kModelFileName));

    const std::string desktop = prefix + "/share/applications/velmora.desktop";
    const Outcome validate = run("desktop-file-validate '" + desktop + "'");
    EXPECT_EQ(validate.status, 0) << "desktop-file-validate (desktop-file-utils): " << validate.err;
    EXPECT_EQ(validate.out + validate.err, "");
    const std::vector<std::string> entry = lines(readFile(desktop));
    for (const char* line : {"Name=Velmora", "Exec=velmora", "Icon=velmora",
                             "Categories=Game;Simulation;", "Terminal=false"})
        EXPECT_NE(std::find(entry.begin(), entry.end(), line), entry.end()) << line;
    EXPECT_NE(readFile(desktop).find("\nComment="), std::string::npos);

    // A 256 x 256 PNG, 8 bits an RGBA channel.
    const std::string icon = readFile(prefix + "/share/icons/hicolor/256x256/apps/velmora.png");
    ASSERT_GT(icon.size(), 33u);
    EXPECT_EQ(icon.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(icon.substr(12, 4), "IHDR");
    EXPECT_EQ(icon.substr(16, 8), std::string("\0\0\1\0\0\0\1\0", 8));  // width, height
    EXPECT_EQ(icon[24], 8);                                             // bits per channel
    EXPECT_EQ(icon[25], 6);                                             // RGBA
    EXPECT_GT(icon.size(), 20000u) << "too small for a picture";
}

TEST_F(Installed, TheManualRendersWithoutWarningsAndListsEveryOptionAndKey) {
    const Outcome man = run("LC_ALL=C MANWIDTH=250 man --warnings -l -P cat '" + prefix +
                            "/share/man/man6/velmora.6'");
    EXPECT_EQ(man.status, 0);
    EXPECT_EQ(man.err, "");
    EXPECT_NE(man.out.find(std::string("velmora ") + VELMORA_VERSION), std::string::npos);
    for (const auto* table : {&optionHelp(), &keyHelp()})
        for (const HelpRow& row : *table) {
            EXPECT_NE(man.out.find(row.what), std::string::npos) << row.what;
            EXPECT_NE(man.out.find(row.meaning), std::string::npos) << row.meaning;
        }
    for (const std::string& line : dataSearchHelp())
        EXPECT_NE(man.out.find(line), std::string::npos) << line;
    for (const char* section : {"OPTIONS", "KEYS", "FILES", "OUTPUT", "EXIT STATUS"})
        EXPECT_NE(man.out.find(std::string("\n") + section + "\n"), std::string::npos) << section;
}

TEST_F(Installed, StartedFromRootItShowsTheSceneAndStillDoesOnceThePrefixMoves) {
    // The build tree's program on its own scene: what the installed one must show.
    const Seen expected = startFromRoot(programPath());
    const Seen installed = startFromRoot(prefix + "/bin/velmora");
    EXPECT_EQ(installed.err, "") << "a load error";
    EXPECT_EQ(installed.out, " textures\n");
    EXPECT_LT(differingFraction(installed.frame, expected.frame), 0.002);

    // Not the empty clear colour (0.15, 0.15, 0.2): the scene fills the window.
    Image clear = installed.frame;
    for (size_t i = 0; i < clear.rgb.size(); i += 3) {
        clear.rgb[i] = clear.rgb[i + 1] = 38;
        clear.rgb[i + 2] = 51;
    }
    EXPECT_GT(differingFraction(installed.frame, clear, 3), 0.95);

    const std::string moved = top + "/elsewhere";
    fs::rename(prefix, moved);
    const Seen relocated = startFromRoot(moved + "/bin/velmora");
    EXPECT_EQ(relocated.err, "");
    EXPECT_LT(differingFraction(relocated.frame, expected.frame), 0.002);
}

TEST_F(Installed, WithoutItsSceneItSaysWhereItLookedInOneLineAndGoesOn) {
    const std::string lonely = top + "/lonely/bin/velmora";
    fs::create_directories(top + "/lonely/bin");
    fs::copy_file(prefix + "/bin/velmora", lonely);
    fs::permissions(lonely, fs::perms::owner_all);

    XvfbScreen screen(1024, 768);
    ASSERT_TRUE(screen.ok());
    Program velmora(screen, {"--windowed"}, "/", lonely);
    ASSERT_TRUE(velmora.waitForWindow()) << velmora.errorOutput();
    const std::vector<std::string> err = lines(velmora.errorOutput());
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err[0], "velmora: found no sthenge3.obj in / (working directory) or " + top +
                          "/lonely/share/velmora (installed); going on without the model "
                          "(--data DIR names the scene's directory)");
    for (const std::string& line : err) EXPECT_EQ(line.find(VELMORA_DATA_DIR), std::string::npos);
    EXPECT_EQ(velmora.output().find("SOIL"), std::string::npos);
}

TEST_F(Installed, VersionIsTheProjectsAndNeedsNoDisplay) {
    const Outcome version = run("env -u DISPLAY '" + prefix + "/bin/velmora' --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("velmora ") + VELMORA_VERSION + "\n");
    EXPECT_EQ(version.err, "");
}

// A display number with no server behind it.
std::string unusedDisplay() {
    for (int n = 987; n > 900; --n)
        if (!fs::exists("/tmp/.X11-unix/X" + std::to_string(n))) return ":" + std::to_string(n);
    return ":987";
}

TEST(FirstContact, WithoutADisplayItSaysSoInOneLineOfItsOwnAndFails) {
    const std::string advice =
        "; run it on a desktop, or under a virtual X server (scripts/with-xvfb in the source tree)";
    const std::string program = "'" + programPath() + "' --windowed";

    Outcome r = run("env -u DISPLAY " + program);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "velmora: no X display to open (DISPLAY is not set)" + advice + "\n");
    EXPECT_EQ(r.out, "");

    const std::string absent = unusedDisplay();
    r = run("DISPLAY=" + absent + " " + program);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "velmora: cannot open the X display '" + absent + "'" + advice + "\n");

    // GLUT's -display names the display over $DISPLAY.
    r = run("DISPLAY=:0 " + program + " -display " + absent);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "velmora: cannot open the X display '" + absent + "'" + advice + "\n");
}

}  // namespace
