// close_window WINDOW: asks a window to close the way a window manager does, with a
// WM_PROTOCOLS client message carrying WM_DELETE_WINDOW. Xvfb runs no window manager, so the
// end-to-end tests send it with this.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>

// A window manager only sends the message to a window that lists the protocol; one that
// does not would be killed instead, so that is a failure here.
static bool takesDeleteWindow(Display *display, Window window, Atom delete_window)
{
    Atom *protocols = nullptr;
    int count = 0;
    bool listed = false;
    if (XGetWMProtocols(display, window, &protocols, &count)) {
        for (int i = 0; i < count; i++)
            listed = listed || protocols[i] == delete_window;
        XFree(protocols);
    }
    return listed;
}

int main(int argc, char *argv[])
{
    if (argc != 2) {
        fprintf(stderr, "usage: close_window WINDOW_ID\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fprintf(stderr, "close_window: cannot open the display\n");
        return 1;
    }
    const Window window = strtoul(argv[1], nullptr, 0);
    const Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (!takesDeleteWindow(display, window, delete_window)) {
        fprintf(stderr, "close_window: window %s does not list WM_DELETE_WINDOW\n", argv[1]);
        XCloseDisplay(display);
        return 1;
    }

    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(delete_window);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent ? 0 : 1;
}
