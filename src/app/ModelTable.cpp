#include "app/ModelTable.h"

#include <QtEndian>

namespace app {

QByteArray BuildModelQueryBlock() {
    QByteArray block(1024, '\0');
    int index = 0;
    auto put = [&](std::uint32_t value) { qToLittleEndian(value, block.data() + 4 * index++); };
    for (std::uint32_t header : {2u, 3u, 0u, 2u})
        put(header);
    put(static_cast<std::uint32_t>(kModelTable.size()));
    for (const ModelRow& row : kModelTable) {
        put(row.vendorId);
        put(row.productId);
        put(static_cast<std::uint32_t>(row.deviceType));
    }
    return block;
}

}  // namespace app
