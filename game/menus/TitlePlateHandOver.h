#pragma once
// The title plate lent by the menu background to a window shown over a
// level. The window asks for the plate and waits until it has come up; the
// background raises it and says so once; the window sends it away when it
// has closed, and the background takes it down.
namespace ActionPuzzle {

class TitlePlateHandOver {
public:
    // The window's side.
    void Request()
    {
        requested = true;
        releaseRequested = false;
    }
    void Release()
    {
        requested = false;
        releaseRequested = true;
    }
    // True once after the plate has come up.
    bool TakeReady()
    {
        const bool wasReady = up && ready;
        if (wasReady)
            ready = false;
        return wasReady;
    }

    // The background's side.
    void Raised()
    {
        requested = false;
        up = true;
        ready = true;
    }
    void Lowered()
    {
        releaseRequested = false;
        up = false;
    }
    // A level starts with the plate down and nobody waiting for it.
    void Reset() { *this = TitlePlateHandOver(); }

    bool IsRequested() const { return requested; }
    bool IsReleaseRequested() const { return releaseRequested; }
    bool IsUp() const { return up; }
    bool IsReady() const { return ready; }
    // Nothing asked, nothing up.
    bool IsIdle() const { return !requested && !releaseRequested && !up && !ready; }

private:
    bool requested = false;
    bool releaseRequested = false;
    bool up = false;
    bool ready = false;
};

} // namespace ActionPuzzle
