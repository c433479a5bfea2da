// The firmware of one emulated device: its memory regions and the strict
// handling of command reports. Every command is checked (report id,
// checksum, length, address range, known id); a bad checksum is answered
// with status 0xFE, every other error with 0xFF. Not thread-safe: the bus
// serialises all calls.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace sim {

using Report = std::array<uint8_t, 64>;

struct MemoryRegion {
    QString name;
    std::vector<uint8_t> bytes;
};

class FirmwareEmulator {
public:
    virtual ~FirmwareEmulator() = default;

    // Answers one 64-byte command report.
    Report HandleCommand(const uint8_t* command);
    // Output reports other than commands (the headset's LEDs); false when
    // the report id is unknown.
    virtual bool HandleOutputReport(const uint8_t* report, size_t length);

    uint16_t FirmwareVersion() const { return version_; }
    void SetFirmwareVersion(uint16_t version);

    // Region access for tests, the dump and persistence.
    MemoryRegion* Region(const QString& name);
    const std::deque<MemoryRegion>& Regions() const { return regions_; }
    QString Dump() const;

    // Status memory fields.
    void SetBattery(uint8_t percent, uint8_t charging);
    void SetPhoneOnPad(uint8_t state);
    void SetLinkFlag(uint8_t flag);

    uint8_t ActiveProfile() const;
    // Selects the next on-device profile (wrapping); returns its number.
    virtual uint8_t NextProfile();
    // Advances the DPI stage of the active profile (mouse); the new stage.
    virtual uint8_t NextDpiStage() { return 0; }

    int AccessCount() const { return accessOpen_; }
    int CommandCount() const { return commands_; }
    // Called after a region was written (persistence).
    std::function<void(const MemoryRegion&)> onWrite;

    static void FinishReport(Report& report);  // checksum over bytes 3..63

protected:
    enum class Access { Read, Write };
    struct Rule {
        QString region;
        Access access;
        size_t maxLength = 56;
    };
    FirmwareEmulator();
    MemoryRegion& AddRegion(const QString& name, size_t size);
    void SetRule(uint8_t id, const QString& region, Access access, size_t maxLength = 56);
    void SetInfoByte(size_t offset, uint8_t value);
    void SetInfoWord(size_t offset, uint16_t value);
    int profiles_ = 5;

private:
    std::deque<MemoryRegion> regions_;  // stable references while regions are added
    std::map<uint8_t, Rule> rules_;
    uint16_t version_ = 0x0100;
    int accessOpen_ = 0;
    int commands_ = 0;
};

}  // namespace sim
