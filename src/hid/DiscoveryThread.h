// The worker that polls the HID interfaces every 100 ms, claims the rows of
// the identity list for newly present supported interfaces and reports
// arrivals and removals to a window with synchronous messages. After its
// first complete pass it posts the registered message "Gaming device" once.
#pragma once

#include "hid/DeviceIdentity.h"
#include "platform/Messages.h"
#include "platform/WorkerThread.h"

#include <chrono>

namespace hid {

inline constexpr std::uint32_t WM_DEVICE_ARRIVED = 3090;
inline constexpr std::uint32_t WM_DEVICE_REMOVED = 3091;
inline constexpr char kGamingDeviceMessage[] = "Gaming device";
inline constexpr std::chrono::milliseconds kDiscoveryPeriod{100};

// True when an interface of the supported-device table (vendor, product,
// interface and collection) is present on the backends in use now, whether
// or not it can be opened.
bool SupportedDevicePresent();

class DiscoveryThread {
public:
    // `list` must outlive the thread.
    DiscoveryThread(platform::WindowHandle target, IdentityList* list);
    ~DiscoveryThread();

    bool Start();
    // Signals the stop event and waits up to `timeout` for the thread. The
    // thread may be inside a synchronous send to the target: mark the target
    // window as closing first (MessageWindow::BeginClose) when stopping from
    // its own thread.
    bool Stop(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));
    bool IsRunning() const { return worker_.IsRunning(); }

    // One pass of the loop (enumeration, claims, removal check); the thread
    // runs it every period. Returns false when the enumeration failed.
    static bool RunPass(platform::WindowHandle target, IdentityList& list,
                        class HidInterface& probe);
    // The thread's loop: a pass every period until `stop` is set, and the
    // "Gaming device" message posted once after the first pass (also when that
    // pass could not enumerate, so the window never waits for a scan that
    // keeps failing). Callers that keep their own worker run this body.
    static void RunLoop(const platform::StopEvent& stop, platform::WindowHandle target,
                        IdentityList& list);

private:
    void Run(const platform::StopEvent& stop);

    platform::WindowHandle target_;
    IdentityList* list_;
    platform::WorkerThread worker_;
};

}  // namespace hid
