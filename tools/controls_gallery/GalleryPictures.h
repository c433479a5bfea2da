// Pictures the gallery needs that no skin file provides (key caps, a light
// glow, marks, a wide picture to pan), drawn at 1x and 2x into a folder.
#pragma once

#include <QString>

namespace gallery {

// Writes the pictures into `folder` (name.png and name@2x.png). Returns false
// when a file cannot be written.
bool WritePictures(const QString& folder);

}  // namespace gallery
