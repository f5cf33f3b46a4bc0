#include "platform/ProblemBox.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <vector>

bool ProblemBox::unattended = false;

void ProblemBox::setUnattended(bool value) { unattended = value; }
bool ProblemBox::isUnattended() { return unattended; }

namespace {

const int boxWidth = 640;
const int boxHeight = 420;
const int margin = 12;
const int buttonWidth = 80;
const int buttonHeight = 28;

// Splits the text at its line ends and wraps each line to the given number of characters.
std::vector<std::string> wrapLines(const std::string& text, size_t columns)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        while (line.size() > columns) {
            size_t cut = line.rfind(' ', columns);
            if (cut == std::string::npos || cut == 0)
                cut = columns;
            lines.push_back(line.substr(0, cut));
            line = line.substr(cut == columns ? cut : cut + 1);
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

struct Dialog {
    Display* display;
    Window window;
    GC gc;
    XFontStruct* font;
    std::vector<std::string> lines;
    int firstLine = 0;

    int lineHeight() const { return font ? font->ascent + font->descent : 14; }
    int visibleLines() const { return (boxHeight - 3 * margin - buttonHeight) / lineHeight(); }
    int maxFirstLine() const { return std::max(0, (int)lines.size() - visibleLines()); }
    int buttonX() const { return (boxWidth - buttonWidth) / 2; }
    int buttonY() const { return boxHeight - margin - buttonHeight; }

    void scroll(int delta) { firstLine = std::clamp(firstLine + delta, 0, maxFirstLine()); }

    void draw()
    {
        XClearWindow(display, window);
        int ascent = font ? font->ascent : 11;
        for (int i = 0; i < visibleLines() && firstLine + i < (int)lines.size(); i++) {
            const std::string& line = lines[firstLine + i];
            XDrawString(display, window, gc, margin, margin + ascent + i * lineHeight(), line.c_str(),
                        (int)line.size());
        }
        XDrawRectangle(display, window, gc, buttonX(), buttonY(), buttonWidth, buttonHeight);
        int textWidth = font ? XTextWidth(font, "OK", 2) : 12;
        XDrawString(display, window, gc, buttonX() + (buttonWidth - textWidth) / 2,
                    buttonY() + buttonHeight / 2 + ascent / 2, "OK", 2);
        XFlush(display);
    }
};

}  // namespace

void ProblemBox::show(const std::string& text, const std::string& caption)
{
    if (unattended)
        return;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return;

    int screen = DefaultScreen(display);
    Dialog dialog;
    dialog.display = display;
    dialog.font = XLoadQueryFont(display, "fixed");
    int charWidth = dialog.font ? std::max(1, (int)dialog.font->max_bounds.width) : 6;
    dialog.lines = wrapLines(text, (size_t)std::max(10, (boxWidth - 2 * margin) / charWidth));

    int x = std::max(0, (DisplayWidth(display, screen) - boxWidth) / 2);
    int y = std::max(0, (DisplayHeight(display, screen) - boxHeight) / 2);
    dialog.window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, boxWidth, boxHeight,
                                        1, BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, dialog.window, caption.c_str());
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize | PPosition;
    hints.min_width = hints.max_width = boxWidth;
    hints.min_height = hints.max_height = boxHeight;
    hints.x = x;
    hints.y = y;
    XSetWMNormalHints(display, dialog.window, &hints);
    // Keep the dialog above the game window, which may be fullscreen.
    Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    XChangeProperty(display, dialog.window, state, XA_ATOM, 32, PropModeReplace, (unsigned char*)&above, 1);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, dialog.window, &deleteWindow, 1);
    XSelectInput(display, dialog.window, ExposureMask | KeyPressMask | ButtonPressMask);
    dialog.gc = XCreateGC(display, dialog.window, 0, nullptr);
    XSetForeground(display, dialog.gc, BlackPixel(display, screen));
    if (dialog.font)
        XSetFont(display, dialog.gc, dialog.font->fid);
    XMapRaised(display, dialog.window);

    bool done = false;
    while (!done) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0)
                dialog.draw();
            break;
        case KeyPress: {
            KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space)
                done = true;
            else if (key == XK_Up || key == XK_Down || key == XK_Page_Up || key == XK_Page_Down) {
                int step = (key == XK_Page_Up || key == XK_Page_Down) ? dialog.visibleLines() : 1;
                dialog.scroll((key == XK_Up || key == XK_Page_Up) ? -step : step);
                dialog.draw();
            }
            break;
        }
        case ButtonPress:
            if (event.xbutton.button == Button4 || event.xbutton.button == Button5) {
                dialog.scroll(event.xbutton.button == Button4 ? -3 : 3);
                dialog.draw();
            } else if (event.xbutton.x >= dialog.buttonX() && event.xbutton.x < dialog.buttonX() + buttonWidth &&
                       event.xbutton.y >= dialog.buttonY() && event.xbutton.y < dialog.buttonY() + buttonHeight) {
                done = true;
            }
            break;
        case ClientMessage:
            if ((Atom)event.xclient.data.l[0] == deleteWindow)
                done = true;
            break;
        default:
            break;
        }
    }
    if (dialog.font)
        XFreeFont(display, dialog.font);
    XFreeGC(display, dialog.gc);
    XDestroyWindow(display, dialog.window);
    XCloseDisplay(display);
}
