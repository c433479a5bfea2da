#include "app/CopyDataBuffers.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace app {

bool CopyDataBuffers::Accept(std::uint32_t kind, const QByteArray& payload) {
    if (payload.isEmpty())
        return false;
    const auto size = static_cast<std::size_t>(payload.size());
    std::uint8_t* target = nullptr;
    std::size_t capacity = 0;
    if (kind == kLevelFrameKind) {
        target = levelFrame_.data();
        capacity = levelFrame_.size();
    } else if (kind == kPeakKind) {
        target = peaks_.data();
        capacity = peaks_.size();
    }
    if (!target || size > capacity)
        return false;
    std::memcpy(target, payload.constData(), size);
    return true;
}

std::int32_t CopyDataBuffers::PeakValue(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) * 4 + 4 > peaks_.size())
        return 0;
    return qFromLittleEndian<std::int32_t>(peaks_.data() + 4 * index);
}

}  // namespace app
