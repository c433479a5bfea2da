// The fixed buffers that data records from the audio capture program are
// copied into: kind 1 level frames (4280 bytes) and kind 2 peak values
// (156 bytes). A record that is empty or larger than its buffer is refused
// whole, so nothing is ever written past a buffer.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

namespace app {

class CopyDataBuffers {
public:
    static constexpr int kLevelFrameKind = 1;
    static constexpr int kPeakKind = 2;
    static constexpr std::size_t kLevelFrameBytes = 4280;
    static constexpr std::size_t kPeakBytes = 156;

    // Copies the payload into the buffer of its kind; false (buffer
    // unchanged) when the kind is unknown, the payload empty or too large.
    bool Accept(std::uint32_t kind, const QByteArray& payload);

    const std::array<std::uint8_t, kLevelFrameBytes>& LevelFrame() const { return levelFrame_; }
    const std::array<std::uint8_t, kPeakBytes>& Peaks() const { return peaks_; }
    // The first `count` little-endian 32-bit values of the peak buffer.
    std::int32_t PeakValue(int index) const;

private:
    std::array<std::uint8_t, kLevelFrameBytes> levelFrame_{};
    std::array<std::uint8_t, kPeakBytes> peaks_{};
};

}  // namespace app
