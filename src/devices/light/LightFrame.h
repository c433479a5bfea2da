// The light frame: one 32-bit word per light (byte 0 red, 1 green, 2 blue,
// 3 level). Words are atomics so the light thread can render while the UI
// thread reads; a reader may see two frames mixed for one tick, never a torn
// word. Resize only while no other thread touches the frame.
#pragma once

#include "devices/light/LightTables.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace light {

constexpr uint32_t MakeLight(uint8_t r, uint8_t g, uint8_t b, uint8_t level) {
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | uint32_t(level) << 24;
}
constexpr uint32_t MakeLight(Rgb c, uint8_t level) {
    return MakeLight(c.r, c.g, c.b, level);
}

// A level (or curve value) scaled by another level, both 0..255.
constexpr uint8_t ScaleLevel(unsigned value, unsigned level) {
    return uint8_t(value * level / 256);
}
constexpr uint8_t LightRed(uint32_t w) {
    return uint8_t(w);
}
constexpr uint8_t LightGreen(uint32_t w) {
    return uint8_t(w >> 8);
}
constexpr uint8_t LightBlue(uint32_t w) {
    return uint8_t(w >> 16);
}
constexpr uint8_t LightLevel(uint32_t w) {
    return uint8_t(w >> 24);
}
constexpr Rgb LightColour(uint32_t w) {
    return {LightRed(w), LightGreen(w), LightBlue(w)};
}

class LightFrame {
public:
    explicit LightFrame(int count = 0) { Resize(count); }
    LightFrame(const LightFrame&) = delete;
    LightFrame& operator=(const LightFrame&) = delete;

    // Resizes (negative counts become 0) and clears every word.
    void Resize(int count);
    int Size() const { return size_; }
    // 0 for an index outside the frame.
    uint32_t Get(int index) const {
        return index >= 0 && index < size_ ? words_[index].load(std::memory_order_relaxed) : 0;
    }
    // Ignored for an index outside the frame.
    void Set(int index, uint32_t word) {
        if (index >= 0 && index < size_)
            words_[index].store(word, std::memory_order_relaxed);
    }
    void SetLevel(int index, uint8_t level) {
        if (index >= 0 && index < size_)
            Set(index, (Get(index) & 0x00FFFFFFu) | uint32_t(level) << 24);
    }
    void Clear();
    std::vector<uint32_t> Snapshot() const;

private:
    std::unique_ptr<std::atomic<uint32_t>[]> words_;
    int size_ = 0;
};

// Colour word handed to a light control: red | blue << 8 | green << 16
// (frame bytes 0, 2 and 1). DecodePreviewColour is its inverse, for the
// controls that draw it.
constexpr uint32_t PreviewColour(uint32_t w) {
    return uint32_t(LightRed(w)) | uint32_t(LightBlue(w)) << 8 | uint32_t(LightGreen(w)) << 16;
}
constexpr Rgb DecodePreviewColour(uint32_t colourWord) {
    return {uint8_t(colourWord), uint8_t(colourWord >> 16), uint8_t(colourWord >> 8)};
}

// The bytes a device receives for one light: each channel x level / 256,
// then limited to `limit` (the headset takes at most 247).
Rgb DeviceColour(uint32_t w, uint8_t limit = 255);

// Writes the device bytes of every light with an LED position p (ledOfLight,
// 255 = none) at buffer[3p..3p+2] when those bytes fit in the buffer;
// returns the number of lights written.
int ComposeDeviceBytes(const LightFrame& frame, const std::vector<uint8_t>& ledOfLight,
                       uint8_t* buffer, std::size_t length, uint8_t limit = 255);

}  // namespace light
