// Asks every top-level window whose title contains the given text to close, by sending it
// WM_DELETE_WINDOW as a window manager would. Xvfb runs without a window manager, and xdotool
// can only destroy windows, which is not what a player's close button does.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int sendClose(Display* display, Window window, const char* title, int depth)
{
    int sent = 0;
    XTextProperty property;
    if (XGetWMName(display, window, &property) && property.value) {
        std::string name(reinterpret_cast<const char*>(property.value), property.nitems);
        XFree(property.value);
        if (name.find(title) != std::string::npos) {
            XEvent event;
            std::memset(&event, 0, sizeof(event));
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", True);
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display, window, False, NoEventMask, &event);
            ++sent;
        }
    }
    if (depth > 2)
        return sent;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i)
            sent += sendClose(display, children[i], title, depth + 1);
        if (children)
            XFree(children);
    }
    return sent;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <window title text>\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "wmclose: cannot open the display\n");
        return 1;
    }
    int sent = sendClose(display, DefaultRootWindow(display), argv[1], 0);
    XFlush(display);
    XCloseDisplay(display);
    std::printf("wmclose: %d window(s) asked to close\n", sent);
    return sent > 0 ? 0 : 1;
}
