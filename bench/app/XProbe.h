// A client of the X server that watches and drives another program's windows: which windows map
// and when, what they repaint, their pixels, and real pointer and key input.
#pragma once

#include <X11/Xlib.h>
#include <chrono>
#include <string>
#include <vector>

using TClock = std::chrono::steady_clock;

struct TRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool Contains(int x, int y) const {
        return x >= X && y >= Y && x < X + Width && y < Y + Height;
    }
    bool Meets(const TRect& o) const {
        return X < o.X + o.Width && o.X < X + Width && Y < o.Y + o.Height && o.Y < Y + Height;
    }
};

// One repaint the server saw: where, in the window's coordinates, and when it reached us.
struct TDamage {
    TClock::time_point At;
    TRect Area;
};

class TXProbe {
public:
    // Opens $DISPLAY and the damage and test extensions; throws std::runtime_error without them.
    TXProbe();
    ~TXProbe();
    TXProbe(const TXProbe&) = delete;
    TXProbe& operator=(const TXProbe&) = delete;

    // The next top-level window named name (and at least minWidth wide) mapped since this probe
    // started, and when its mapping reached us; None after the timeout.
    Window WaitMapped(const std::string& name, int minWidth, TClock::duration timeout,
                      TClock::time_point* when = nullptr);

    // Records every repaint of window from now on in Damages().
    void WatchDamage(Window window);
    std::vector<TDamage>& Damages() { return FDamages; }

    // Handles the server's events until the deadline.
    void PumpUntil(TClock::time_point deadline);

    // Input through the test extension, at window coordinates; keys go to the focused window.
    void MoveTo(Window window, int x, int y);
    void Button(bool down);
    void Key(const char* keysym);
    void Focus(Window window);

    // The window's pixels as 0xRRGGBB, row by row.
    std::vector<unsigned> Pixels(Window window, int& width, int& height);

private:
    struct TMapped {
        Window Id;
        std::string Name;
        int Width;
        TClock::time_point At;
        bool Taken;
    };
    void Handle(XEvent& event);

    Display* FDisplay = nullptr;
    int FDamageEvent = 0;
    std::vector<TMapped> FMapped;
    std::vector<TDamage> FDamages;
};
