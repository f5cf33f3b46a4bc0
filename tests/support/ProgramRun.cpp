#include "ProgramRun.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// Generous: Xvfb starts in well under a second on an idle machine.
const int serverStartTimeoutMs = 30000;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

int ignoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

void ignoreXErrors() { XSetErrorHandler(ignoreXError); }

VirtualDisplay::VirtualDisplay()
{
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe");
    serverPid = fork();
    if (serverPid == 0) {
        close(fds[0]);
        std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               "-noreset", (char*)nullptr);
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes the display number once it accepts clients; a server that neither writes
    // nor ends within the time (a loaded machine) fails the test instead of hanging it.
    std::string number;
    char c;
    struct pollfd ready = {fds[0], POLLIN, 0};
    while (poll(&ready, 1, serverStartTimeoutMs) == 1 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty()) {
        kill(serverPid, SIGKILL);
        waitpid(serverPid, nullptr, 0);
        serverPid = -1;
        throw std::runtime_error("Xvfb did not start");
    }
    displayName = ":" + number;
}

VirtualDisplay::~VirtualDisplay()
{
    if (serverPid > 0) {
        kill(serverPid, SIGTERM);
        waitpid(serverPid, nullptr, 0);
    }
}

unsigned long VirtualDisplay::waitForWindow(int timeoutMs) const
{
    ignoreXErrors();  // a child may be gone between the listing and its attributes
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr)
        return 0;
    unsigned long found = 0;
    for (int waited = 0; waited < timeoutMs && found == 0; waited += 50) {
        Window root, parent, *children = nullptr;
        unsigned int nbChildren = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &nbChildren)) {
            for (unsigned int i = 0; i < nbChildren && found == 0; i++) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
                    found = children[i];
            }
            XFree(children);
        }
        if (found == 0)
            sleepMs(50);
    }
    XCloseDisplay(display);
    return found;
}

void VirtualDisplay::closeWindow(unsigned long window) const
{
    ignoreXErrors();
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr)
        return;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

int VirtualDisplay::xdotool(const std::string& arguments) const
{
    std::string command = "DISPLAY=" + displayName + " xdotool " + arguments;
    return std::system(command.c_str());
}

ProgramRun::ProgramRun(const std::vector<std::string>& words, const std::string& folder,
                       const std::string& display)
    : outPath(folder + "/.program-stdout"), errPath(folder + "/.program-stderr")
{
    pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        if (!freopen(outPath.c_str(), "w", stdout) || !freopen(errPath.c_str(), "w", stderr))
            _exit(127);
        if (display.empty())
            unsetenv("DISPLAY");
        else
            setenv("DISPLAY", display.c_str(), 1);
        std::vector<char*> argv;
        std::string program = CUBEWRIGHT_BINARY;
        argv.push_back(&program[0]);
        std::vector<std::string> copies(words);
        for (std::string& word : copies)
            argv.push_back(&word[0]);
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

ProgramRun::~ProgramRun()
{
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

ProgramResult ProgramRun::wait(int timeoutMs)
{
    ProgramResult result;
    int status = 0;
    int waited = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (waited >= timeoutMs) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            result.timedOut = true;
            break;
        }
        sleepMs(20);
        waited += 20;
    }
    pid = -1;
    if (!result.timedOut && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

ProgramResult runProgram(const std::vector<std::string>& words, const std::string& folder, int timeoutMs)
{
    ProgramRun run(words, folder, "");
    return run.wait(timeoutMs);
}
