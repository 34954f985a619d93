// Starts a program and reports, as one line of JSON, the time from exec to the
// first map of its window with the given name that is opaque, and the resident
// memory after it has idled for a while. Usage:
//   measure_startup <window name> <idle seconds> <program> [args...]
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return result;
}

std::string property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type)
{
    auto* reply = xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, 1024), nullptr);
    std::string value;
    if (reply && xcb_get_property_value_length(reply) > 0)
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return value;
}

long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// True when a window of that name is mapped and fully opaque (no opacity
// property or the maximum), searched among the root's children and theirs.
bool shown(xcb_connection_t* c, xcb_window_t root, const std::string& name, xcb_atom_t netName,
           xcb_atom_t utf8, xcb_atom_t opacity, int depth = 0)
{
    auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    if (!tree)
        return false;
    bool found = false;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
        const xcb_window_t w = children[i];
        if (property(c, w, netName, utf8) == name) {
            auto* attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
            const bool mapped = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            std::free(attributes);
            const std::string alpha = property(c, w, opacity, XCB_ATOM_CARDINAL);
            const bool opaque = alpha.empty() || alpha == std::string(4, '\xff');
            found = mapped && opaque;
        } else if (depth < 2) {
            found = shown(c, w, name, netName, utf8, opacity, depth + 1);
        }
    }
    std::free(tree);
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <window name> <idle seconds> <program> [args...]\n", argv[0]);
        return 2;
    }
    const std::string name = argv[1];
    const int idleSeconds = std::atoi(argv[2]);
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    const xcb_atom_t opacity = atom(c, "_NET_WM_WINDOW_OPACITY");

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[3], argv + 3);
        _exit(127);
    }
    double shownMs = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
        if (shown(c, root, name, netName, utf8, opacity)) {
            shownMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const long rss = residentKb(child);
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    std::printf("{\"shown_ms\": %.1f, \"rss_kb\": %ld}\n", shownMs, rss);
    xcb_disconnect(c);
    return shownMs < 0 ? 1 : 0;
}
