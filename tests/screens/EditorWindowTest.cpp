// vorela-editor started on demo data under a virtual X server: its main window appears and can
// be grabbed. Skipped where the editor, Xvfb or the demo's synthesis tools are not built or
// installed.
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vorela {
namespace {

int shell(const std::string &command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const std::filesystem::path &path)
{
    return "'" + path.string() + "'";
}

std::uint32_t bigEndian32(const std::string &bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t index = 0; index < 4; ++index)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + index));
    return value;
}

TEST(EditorWindowTest, MainWindowAppearsOnDemoDataAndIsGrabbed)
{
    const std::filesystem::path binaries(VORELA_BINARY_DIR);
    const std::filesystem::path editor = binaries / "src/app/vorela-editor";
    const std::filesystem::path grab = binaries / "tests/screens/grab/vorela-window-grab";
    if (!std::filesystem::exists(editor) || !std::filesystem::exists(grab))
        GTEST_SKIP() << "vorela-editor is not built";
    if (shell("command -v xvfb-run && command -v xwininfo && command -v espeak-ng && command -v sox"
              " >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xvfb-run, xwininfo, espeak-ng or sox is missing";
    const test::TempDataDir dir;
    const std::filesystem::path data = dir.path() / "demo";
    ASSERT_EQ(shell(quoted(binaries / "src/cli/vorela") + " demo " + quoted(data) + " >/dev/null"),
              0);
    const std::filesystem::path picture = dir.path() / "main-window.png";
    // Start the editor, wait up to 30 s for a window whose title names the lexeme editor, grab it.
    const std::filesystem::path script = dir.path() / "session.sh";
    std::ofstream(script)
        << "cd " << quoted(data) << " || exit 9\n"
        << "env -u VORELA_DATA_DIR -u VORELA_REGISTRY " << quoted(editor) << " &\n"
        << "editor=$!\nid=\n"
        << "for i in $(seq 300); do\n"
        << "  id=$(xwininfo -root -tree | grep 'лексем' | awk '{print $1}' | head -n1)\n"
        << "  [ -n \"$id\" ] && break\n  sleep 0.1\ndone\n"
        << "status=8\n"
        << "[ -n \"$id\" ] && sleep 1 && " << quoted(grab) << " \"$id\" " << quoted(picture)
        << " && status=0\n"
        << "kill $editor\nwait $editor\nexit $status\n";
    ASSERT_EQ(shell("env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1280x800x24' sh " +
                    quoted(script) + " >/dev/null 2>&1"),
              0);
    std::ifstream file(picture, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_GE(bigEndian32(bytes, 16), 320u); // width and height of a real main window
    EXPECT_GE(bigEndian32(bytes, 20), 200u);
}

} // namespace
} // namespace vorela
