// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// startmap: starts a program on the X display and prints the time from its start to its
// first top-level window being mapped, then, after an idle pause counted from the map, the
// resident memory of the program and of every process it started; then ends them all. No window
// manager needs to run: without one a window is mapped as soon as it is shown.
//
// usage: startmap [-i IDLE_MS] [-t TIMEOUT_MS] -- PROGRAM [ARGUMENTS...]
// prints: map_ms=... rss_kb=... tree_rss_kb=... processes=...

#include <X11/Xlib.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The text of /proc/PID/NAME; empty when the process is gone, even while it is being read.
std::string ProcFile(int pid, const char *name)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/" + name;
    std::string text;
    if (FILE *file = std::fopen(path.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

// A field of /proc/PID/status in kB; -1 when the process is gone.
long StatusKilobytes(int pid, const char *key)
{
    const std::string status = ProcFile(pid, "status");
    const std::size_t at = status.find("\n" + std::string(key) + ":");
    return at == std::string::npos ? -1 : std::atol(status.c_str() + at + std::strlen(key) + 2);
}

int ParentOf(int pid)
{
    const std::string stat = ProcFile(pid, "stat");
    // The command name in brackets may hold spaces: the fields after it start past its last ')'.
    const std::size_t end = stat.rfind(')');
    if (end == std::string::npos || end + 2 >= stat.size())
        return -1;
    char state = 0;
    int parent = -1;
    return std::sscanf(stat.c_str() + end + 2, "%c %d", &state, &parent) == 2 ? parent : -1;
}

// The process and all its descendants.
std::set<int> ProcessTree(int root)
{
    std::set<int> tree{root};
    for (bool grew = true; grew;) {
        grew = false;
        DIR *proc = opendir("/proc");
        while (dirent *entry = readdir(proc)) {
            const int pid = std::atoi(entry->d_name);
            if (pid > 0 && !tree.count(pid) && tree.count(ParentOf(pid))) {
                tree.insert(pid);
                grew = true;
            }
        }
        closedir(proc);
    }
    return tree;
}

void EndGroup(pid_t group)
{
    kill(-group, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(group, nullptr, WNOHANG) == group)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(-group, SIGKILL);
    waitpid(group, nullptr, WNOHANG);
}

int IgnoreXErrors(Display *, XErrorEvent *) { return 0; }

}  // namespace

int main(int argc, char *argv[])
{
    int idleMs = 1000;
    int timeoutMs = 60000;
    int first = 1;
    for (; first < argc; ++first) {
        if (!std::strcmp(argv[first], "-i") && first + 1 < argc)
            idleMs = std::atoi(argv[++first]);
        else if (!std::strcmp(argv[first], "-t") && first + 1 < argc)
            timeoutMs = std::atoi(argv[++first]);
        else if (!std::strcmp(argv[first], "--")) {
            ++first;
            break;
        } else
            break;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: %s [-i IDLE_MS] [-t TIMEOUT_MS] -- PROGRAM [ARGS...]\n",
                     argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreXErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        // What the program writes would mix with the figures.
        const int nothing = open("/dev/null", O_WRONLY);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        execvp(argv[first], argv + first);
        _exit(127);
    }
    setpgid(child, child);

    double mapMs = -1;
    while (mapMs < 0) {
        if (MillisecondsSince(start) > timeoutMs) {
            std::printf("ok=0 reason=timeout\n");
            EndGroup(child);
            return 1;
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::printf("ok=0 reason=exited status=%d\n", status);
            return 1;
        }
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect &&
                event.xmap.event == root && mapMs < 0)
                mapMs = MillisecondsSince(start);
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 2);
    }
    std::this_thread::sleep_for(
        std::chrono::duration<double, std::milli>(mapMs + idleMs - MillisecondsSince(start)));
    const std::set<int> tree = ProcessTree(child);
    long treeRss = 0;
    for (int pid : tree)
        treeRss += std::max(0L, StatusKilobytes(pid, "VmRSS"));
    std::printf("ok=1 map_ms=%.1f rss_kb=%ld tree_rss_kb=%ld processes=%zu\n", mapMs,
                StatusKilobytes(child, "VmRSS"), treeRss, tree.size());
    std::fflush(stdout);
    XCloseDisplay(display);
    EndGroup(child);
    return 0;
}
