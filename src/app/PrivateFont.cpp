#include "app/PrivateFont.h"

#include "platform/Folders.h"

#include <QFontDatabase>

namespace app {

bool PrivateFont::Load(const QString& relativePath) {
    Unload();
    const QString path = platform::ResolvePath(platform::InstanceFolder(), relativePath);
    id_ = QFontDatabase::addApplicationFont(path);
    if (id_ >= 0)
        families_ = QFontDatabase::applicationFontFamilies(id_);
    return id_ >= 0;
}

void PrivateFont::Unload() {
    if (id_ >= 0)
        QFontDatabase::removeApplicationFont(id_);
    id_ = -1;
    families_.clear();
}

}  // namespace app
