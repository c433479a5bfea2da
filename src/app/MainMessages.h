// The message catalogue of the main window: private message numbers, the
// names of the registered messages, the desktop message numbers the window
// answers to, and the timer ids.
#pragma once

#include <cstdint>

namespace app {

// Private messages (fixed numbers).
inline constexpr std::uint32_t WM_TRAY_NOTIFY = 1025;
inline constexpr std::uint32_t WM_HOOK_SWITCH = 1054;
inline constexpr std::uint32_t WM_MENU_COMMAND = 1145;
inline constexpr std::uint32_t WM_DPI_NOTE = 1224;
inline constexpr std::uint32_t WM_SHOW_SETTING_PROGRESS = 3072;
inline constexpr std::uint32_t WM_LANGUAGE_CHANGED = 3089;
inline constexpr std::uint32_t WM_DEVICE_ARRIVED = 3090;
inline constexpr std::uint32_t WM_DEVICE_REMOVED = 3091;
inline constexpr std::uint32_t WM_OPEN_SETTINGS = 3093;
inline constexpr std::uint32_t WM_CLEAR_UPDATE_MARK = 3094;
inline constexpr std::uint32_t WM_IGNORED_3330 = 3330;
inline constexpr std::uint32_t WM_ENTRY_STATE = 3331;
inline constexpr std::uint32_t WM_FIRMWARE_OUTDATED = 3333;

// Desktop messages, with the numbers they have elsewhere so that every
// message of the window shares one number space.
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
inline constexpr std::uint32_t WM_ACTIVATE = 0x0006;
inline constexpr std::uint32_t WM_TIMER = 0x0113;
inline constexpr std::uint32_t WM_COPYDATA = 0x004A;
inline constexpr std::uint32_t WM_POWERBROADCAST = 0x0218;
inline constexpr std::uint32_t WM_DISPLAYCHANGE = 0x007E;
inline constexpr std::uint32_t WM_MOUSEHOVER = 0x02A1;
inline constexpr std::uint32_t WM_MOUSELEAVE = 0x02A3;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr std::uint32_t PBT_APMSUSPEND = 4;
inline constexpr std::uint32_t PBT_APMRESUMEAUTOMATIC = 18;

// Registered message names.
inline constexpr char kGamingDevice[] = "Gaming device";
inline constexpr char kMsgEBF15[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
inline constexpr char kMsgEBF16[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";
inline constexpr char kMsgEBF17[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";
inline constexpr char kMsgEBF18[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBF18}";
inline constexpr char kMsgEBE19[] = "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}";
inline constexpr const char* kGameEventNames[] = {"Game_Start", "Game_End", "Game_Kill",
                                                  "Game_Death"};

// The hook and mouse messages registered for the input hook, in the order
// they are allowed through at window start.
inline constexpr const char* kHookMessageNames[] = {
    "WM_HOOK_KEY_SINGLEKEY_MSG",       "WM_HOOK_KEY_HITKEY_MSG",
    "WM_HOOK_KEY_KBMACRO_MSG",         "WM_HOOK_KEY_MSMACRO_MSG",
    "WM_HOOK_KEY_KBMACROSINGLE_MSG",   "WM_HOOK_KEY_KBMACROPREVIOUS_MSG",
    "WM_HOOK_KEY_KBMACROLATER_MSG",    "WM_HOOK_MOU_SINGLEKEY_MSG",
    "WM_HOOK_MOU_HITKEY_MSG",          "WM_HOOK_MOU_KBMACRO_MSG",
    "WM_HOOK_MOU_MSMACRO_MSG",         "WM_HOOK_KEY_MSMACROSINGLE_MSG",
    "WM_HOOK_KEY_MSMACROPREVIOUS_MSG", "WM_HOOK_KEY_MSMACROLATER_MSG",
    "UWM_MOUSERBUTTONDOWN_USER_MSG",   "UWM_MOUSELBUTTONUP_USER_MSG",
    "UWM_MOUSELBUTTONDOWN_USER_MSG",   "UWM_MOUSERBUTTONUP_USER_MSG",
    "UWM_MOUSEMOVE_USER_MSG",
};

// Timers of the main window (all one-shot).
inline constexpr unsigned kTimerApplyDpi = 1011;
inline constexpr unsigned kTimerTrayMenu = 1032;
inline constexpr unsigned kTimerItemSelect = 1055;
inline constexpr unsigned kTimerGameRestore = 1066;
inline constexpr unsigned kTimerApplyDpiMs = 100;
inline constexpr unsigned kTimerTrayMenuMs = 10;
inline constexpr unsigned kTimerItemSelectMs = 400;
inline constexpr unsigned kTimerGameRestoreMs = 5000;

// The worker table.
inline constexpr int kWorkerSlots = 20;
inline constexpr int kSlotDiscovery = 0;
inline constexpr int kSlotAudioWatchdog = 1;
inline constexpr int kSlotLightSync = 8;

}  // namespace app
