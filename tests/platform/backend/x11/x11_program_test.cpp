// The real program on a private X server: its main window appears where and
// as large as it should, with its title, and the window manager's close
// ends it.
#include "tests/platform/backend/x11/x11_fixture.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace memopad_test {
namespace {

long PidOf(Display* d, Window w) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success &&
        data && items == 1)
        pid = *reinterpret_cast<long*>(data);
    if (data) XFree(data);
    return pid;
}

// The program's mapped top-level window, None while there is none.
Window FindProgramWindow(Display* d, int pid) {
    Window root = None, parent = None, *children = nullptr;
    unsigned count = 0;
    Window found = None;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return None;
    for (unsigned i = 0; i < count && found == None; ++i) {
        XWindowAttributes attrs;
        if (!XGetWindowAttributes(d, children[i], &attrs) || attrs.map_state != IsViewable) continue;
        XClassHint hint{};
        if (!XGetClassHint(d, children[i], &hint)) continue;
        bool ours = std::string(hint.res_class ? hint.res_class : "") == "PMemo";
        XFree(hint.res_name);
        XFree(hint.res_class);
        if (ours && PidOf(d, children[i]) == pid && !attrs.override_redirect) found = children[i];
    }
    if (children) XFree(children);
    return found;
}

TEST_F(X11Test, ProgramShowsItsMainWindowAndClosesFromTheWindowManager) {
    std::string built = std::string(MEMOPAD_BINARY_DIR) + "/PMemo";
    struct stat st {};
    ASSERT_EQ(stat(built.c_str(), &st), 0) << built << " is not built";
    // A copy in a folder of its own, so its settings file is written there.
    std::string pattern = (std::filesystem::temp_directory_path() / "pmemo.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    std::filesystem::path folder = pattern;
    std::string program = (folder / "PMemo").string();
    std::filesystem::copy_file(built, program);
    Child pmemo({program});
    ASSERT_TRUE(pmemo.Started());

    Window w = None;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (w == None && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        w = FindProgramWindow(other_, pmemo.Pid());
    }
    ASSERT_NE(w, None) << "no main window appeared";

    XWindowAttributes attrs;
    ASSERT_TRUE(XGetWindowAttributes(other_, w, &attrs));
    EXPECT_EQ(attrs.width, 563);
    EXPECT_EQ(attrs.height, 440) << "the default height of the settings";
    EXPECT_EQ(attrs.x, (1024 - 563) / 2);
    EXPECT_EQ(attrs.y, (768 - 440) / 2);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(other_, w, XInternAtom(other_, "_NET_WM_NAME", False), 0, 1024, False,
                                 AnyPropertyType, &type, &format, &items, &after, &data),
              Success);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), items), "ぽらりMEMO・・・無題");
    XFree(data);

    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(other_, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(other_, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(other_, w, False, NoEventMask, &ev);
    XSync(other_, False);
    int status = -1;
    ASSERT_TRUE(pmemo.Finish(*backend_, 10000, &status)) << "the program did not end";
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "PMemo.ini")) << "the settings are written beside the program";
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

TEST(X11Program, WithoutADisplayTheProgramSaysSoAndFails) {
    std::string command = "env -u DISPLAY " + std::string(MEMOPAD_BINARY_DIR) + "/PMemo 2>&1";
    FILE* p = popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, p)) output += buffer;
    int status = pclose(p);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_NE(output.find("no display"), std::string::npos) << output;
    EXPECT_NE(output.find("$DISPLAY"), std::string::npos) << output;
}

}  // namespace
}  // namespace memopad_test
