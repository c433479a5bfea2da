// Opens a CommandChannel on a virtual device, the way the main window does.
#pragma once

#include "hid/CommandChannel.h"
#include "sim/Simulation.h"

#include <gtest/gtest.h>

namespace testhid {

inline const QString kMouseCable = "sim:mouse/cable?vid_320f&pid_50ef&mi_01&col04";
inline const QString kMouseReceiver = "sim:mouse/receiver?vid_320f&pid_221d&mi_01&col04";
inline const QString kKeyboardCable = "sim:keyboard/cable?vid_320f&pid_50c2&mi_01&col04";

inline bool OpenChannel(hid::CommandChannel& channel, const QString& path, bool wireless) {
    hid::HidInterface& hid = wireless ? channel.ReceiverInterface() : channel.WiredInterface();
    if (!hid.Open(path, true, true, true, false))
        return false;
    channel.SetConnectionType(wireless ? hid::kConnectionWireless : hid::kConnectionWired);
    channel.SetOpened(true);
    return true;
}

}  // namespace testhid
