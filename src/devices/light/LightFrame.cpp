#include "devices/light/LightFrame.h"

#include <algorithm>

namespace light {

void LightFrame::Resize(int count) {
    if (count < 0)
        count = 0;
    if (count != size_) {
        words_ = std::make_unique<std::atomic<uint32_t>[]>(std::size_t(count));
        size_ = count;
    }
    Clear();
}

void LightFrame::Clear() {
    for (int i = 0; i < size_; ++i)
        words_[i].store(0, std::memory_order_relaxed);
}

std::vector<uint32_t> LightFrame::Snapshot() const {
    std::vector<uint32_t> out(static_cast<std::size_t>(size_));
    for (int i = 0; i < size_; ++i)
        out[i] = words_[i].load(std::memory_order_relaxed);
    return out;
}

Rgb DeviceColour(uint32_t w, uint8_t limit) {
    auto scale = [&](uint8_t c) {
        unsigned v = unsigned(c) * LightLevel(w) / 256;
        return uint8_t(v > limit ? limit : v);
    };
    return {scale(LightRed(w)), scale(LightGreen(w)), scale(LightBlue(w))};
}

int ComposeDeviceBytes(const LightFrame& frame, const std::vector<uint8_t>& ledOfLight,
                       uint8_t* buffer, std::size_t length, uint8_t limit) {
    if (!buffer)
        return 0;
    int written = 0;
    const int n = std::min<int>(frame.Size(), int(ledOfLight.size()));
    for (int i = 0; i < n; ++i) {
        const std::size_t p = ledOfLight[i];
        if (p == 255 || 3 * p + 2 >= length)
            continue;
        const Rgb c = DeviceColour(frame.Get(i), limit);
        buffer[3 * p] = c.r;
        buffer[3 * p + 1] = c.g;
        buffer[3 * p + 2] = c.b;
        ++written;
    }
    return written;
}

}  // namespace light
