#pragma once

#include <QImage>

namespace art {

// 500 x 33 toolbar background; the clock panel at x 280..392 is drawn over it.
QImage toolbarPicture();
// 320 x 200; the dialogs show its bottom-left 250 x 125, a calm sheet of note paper.
QImage dialogPicture();
// The program icon at the given edge length.
QImage iconPicture(int size);

} // namespace art
