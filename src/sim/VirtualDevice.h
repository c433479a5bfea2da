// One emulated physical device with its USB appearances (the device itself
// on its cable and, for the mouse and keyboard, its wireless receiver) and
// the test controls: plugging, power, answer timing and faults, input
// usages, battery, firmware version and a memory dump. All controls are
// thread-safe.
#pragma once

#include "sim/FirmwareEmulator.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace sim {

class VirtualBus;
class SimConnection;

enum class DeviceKind { Mouse, Keyboard, Mousepad, Headset };

class VirtualDevice {
public:
    DeviceKind Kind() const { return kind_; }
    QString Name() const { return name_; }
    bool HasReceiver() const { return appearances_.size() > 1; }

    // Plugging. The receiver appearance exists only for mouse and keyboard.
    void SetCablePlugged(bool plugged);
    void SetReceiverPlugged(bool plugged);
    // The device behind the receiver: when off, the receiver answers every
    // command with byte 3 = 0xAA.
    void SetPoweredOn(bool on);
    bool CablePlugged() const;
    bool ReceiverPlugged() const;
    bool PoweredOn() const;
    void Unplug();  // every appearance
    // Unplugs every appearance when the n-th command from now arrives
    // (that command gets no answer). 0 cancels.
    void UnplugAfterCommands(int n);

    // Answer timing and faults.
    void SetAnswerDelay(std::chrono::microseconds delay);
    // Answers leave only on multiples of this interval (0: at once), like
    // reports on an interrupt endpoint.
    void SetReportInterval(std::chrono::microseconds interval);
    void DropAnswers(int count);
    // Every answer from now on is preceded by `count` unrelated reports of
    // the command collection.
    void SetUnsolicitedBeforeAnswer(int count);

    // Input usages on the consumer-control collection of the appearance in
    // use (cable first, then a powered receiver), each followed by a release.
    void SendUsage(uint16_t usage);
    void PressKey(uint8_t devicePosition);    // 0x05xx
    void ReleaseKey(uint8_t devicePosition);  // 0x06xx
    void PressProfileButton();                // next profile, 0x10pp
    void PressDpiButton();                    // next DPI stage, 0x11sp (mouse)

    void SetBattery(uint8_t percent, uint8_t charging);
    void SetPhoneOnPad(uint8_t state);
    void SetFirmwareVersion(uint16_t version);

    QString DumpMemory() const;
    std::vector<uint8_t> RegionBytes(const QString& region) const;
    bool SetRegionBytes(const QString& region, size_t offset, const std::vector<uint8_t>& bytes);
    int CommandsReceived() const;
    // Output reports other than commands (headset LEDs) received so far.
    int OutputReportsReceived() const;

    // Keeps the memory in files of this folder (loaded now when present,
    // saved after every write). False when the folder cannot be created.
    bool SetStorageFolder(const QString& folder);

private:
    friend class VirtualBus;
    friend class SimConnection;
    struct Interface {
        uint16_t number = 0;
        std::vector<uint8_t> descriptor;
        int collections = 0;
        uint8_t usageReportId = 0;  // 0: no consumer usages here
        bool commands = false;
        std::vector<std::weak_ptr<SimConnection>> connections;
    };
    struct Appearance {
        QString tag;
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        bool receiver = false;
        bool plugged = false;
        std::vector<Interface> interfaces;
    };

    VirtualDevice(VirtualBus* bus, DeviceKind kind, QString name);
    void SetPluggedLocked(size_t appearance, bool plugged);
    Appearance* InputAppearanceLocked();
    void SendUsageLocked(uint16_t usage);

    VirtualBus* bus_;
    DeviceKind kind_;
    QString name_;
    std::unique_ptr<FirmwareEmulator> firmware_;
    std::vector<Appearance> appearances_;
    bool poweredOn_ = true;
    int unplugAfter_ = 0;
    int dropAnswers_ = 0;
    int unsolicited_ = 0;
    int outputReports_ = 0;
    std::chrono::microseconds delay_{0};
    std::chrono::microseconds interval_{0};
    QString storage_;
};

}  // namespace sim
