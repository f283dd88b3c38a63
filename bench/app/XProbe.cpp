// The X side of the probe: map notices from the root window, damage reports, test-extension input.
#include "XProbe.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <stdexcept>
#include <sys/select.h>

TXProbe::TXProbe() {
    FDisplay = XOpenDisplay(nullptr);
    if (FDisplay == nullptr) {
        throw std::runtime_error("cannot open the X display");
    }
    int damageError = 0, major = 0, minor = 0, xtestEvent = 0, xtestError = 0;
    if (!XDamageQueryExtension(FDisplay, &FDamageEvent, &damageError) ||
        !XTestQueryExtension(FDisplay, &xtestEvent, &xtestError, &major, &minor)) {
        throw std::runtime_error("the X server lacks the damage or test extension");
    }
    // Without a window manager, top-level windows are children of the root: their mapping
    // shows up as a substructure notice there.
    XSelectInput(FDisplay, DefaultRootWindow(FDisplay), SubstructureNotifyMask);
    XSync(FDisplay, False);
}

TXProbe::~TXProbe() {
    XCloseDisplay(FDisplay);
}

void TXProbe::Handle(XEvent& event) {
    const TClock::time_point now = TClock::now();
    if (event.type == MapNotify) {
        char* name = nullptr;
        XWindowAttributes attributes{};
        const Window id = event.xmap.window;
        // The window may be gone already; a failed request only leaves the name empty.
        XFetchName(FDisplay, id, &name);
        XGetWindowAttributes(FDisplay, id, &attributes);
        FMapped.push_back({id, name ? name : "", attributes.width, now, false});
        if (name) {
            XFree(name);
        }
    } else if (event.type == FDamageEvent + XDamageNotify) {
        const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
        FDamages.push_back(
            {now, {damage.area.x, damage.area.y, damage.area.width, damage.area.height}});
    }
}

void TXProbe::PumpUntil(TClock::time_point deadline) {
    const int fd = ConnectionNumber(FDisplay);
    for (;;) {
        while (XPending(FDisplay) > 0) {
            XEvent event;
            XNextEvent(FDisplay, &event);
            Handle(event);
        }
        const auto left = deadline - TClock::now();
        if (left <= TClock::duration::zero()) {
            return;
        }
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(left).count();
        timeval timeout{static_cast<time_t>(us / 1000000), static_cast<suseconds_t>(us % 1000000)};
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        select(fd + 1, &readable, nullptr, nullptr, &timeout);
    }
}

Window TXProbe::WaitMapped(const std::string& name, int minWidth, TClock::duration timeout,
                           TClock::time_point* when) {
    const TClock::time_point deadline = TClock::now() + timeout;
    for (;;) {
        for (TMapped& mapped : FMapped) {
            if (!mapped.Taken && mapped.Name == name && mapped.Width >= minWidth) {
                mapped.Taken = true;
                if (when) {
                    *when = mapped.At;
                }
                return mapped.Id;
            }
        }
        if (TClock::now() >= deadline) {
            return None;
        }
        PumpUntil(std::min(deadline, TClock::now() + std::chrono::milliseconds(20)));
    }
}

void TXProbe::WatchDamage(Window window) {
    XDamageCreate(FDisplay, window, XDamageReportRawRectangles);
    XSync(FDisplay, False);
}

void TXProbe::MoveTo(Window window, int x, int y) {
    int rootX = 0, rootY = 0;
    Window child = None;
    XTranslateCoordinates(FDisplay, window, DefaultRootWindow(FDisplay), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(FDisplay, DefaultScreen(FDisplay), rootX, rootY, CurrentTime);
    XSync(FDisplay, False);
}

void TXProbe::Button(bool down) {
    XTestFakeButtonEvent(FDisplay, 1, down ? True : False, CurrentTime);
    XFlush(FDisplay);
}

void TXProbe::Key(const char* keysym) {
    const KeyCode code = XKeysymToKeycode(FDisplay, XStringToKeysym(keysym));
    XTestFakeKeyEvent(FDisplay, code, True, CurrentTime);
    XTestFakeKeyEvent(FDisplay, code, False, CurrentTime);
    XFlush(FDisplay);
}

void TXProbe::Focus(Window window) {
    XSetInputFocus(FDisplay, window, RevertToParent, CurrentTime);
    XSync(FDisplay, False);
}

std::vector<unsigned> TXProbe::Pixels(Window window, int& width, int& height) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(FDisplay, window, &attributes);
    width = attributes.width;
    height = attributes.height;
    XImage* image = XGetImage(FDisplay, window, 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) {
        throw std::runtime_error("cannot read the window's pixels");
    }
    std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<size_t>(y) * width + x] = XGetPixel(image, x, y) & 0xFFFFFF;
        }
    }
    XDestroyImage(image);
    return pixels;
}
