// One font file of the instance folder registered with the application for
// the whole run, so the skin can name its faces.
#pragma once

#include <QString>
#include <QStringList>

namespace app {

class PrivateFont {
public:
    PrivateFont() = default;
    PrivateFont(const PrivateFont&) = delete;
    PrivateFont& operator=(const PrivateFont&) = delete;
    ~PrivateFont() { Unload(); }

    // Registers the file at `relativePath` (below the instance folder,
    // backslashes allowed). False when it is missing or not a font.
    bool Load(const QString& relativePath);
    void Unload();
    bool IsLoaded() const { return id_ >= 0; }
    // The family names the file provides.
    QStringList Families() const { return families_; }

private:
    int id_ = -1;
    QStringList families_;
};

// The four font files, in loading order.
inline constexpr const char* kPrivateFontFiles[] = {
    "Font\\Simplified_Chinese.ttf",
    "Font\\Vexlar-Regular.otf",
    "Font\\NotoSansThai-Regular.ttf",
    "Font\\NotoSansCJKtc-Regular.otf",
};

}  // namespace app
