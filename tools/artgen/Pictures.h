#pragma once

#include <QImage>

namespace art {

// 500 x 33 toolbar background; the clock panel at x 280..392 is drawn over it.
QImage toolbarPicture();
// 320 x 200 sheet of paper with a band for the buttons at the bottom. The high-score dialog shows all
// of it, the message dialogs its bottom-left 250 x 125; both write only on plain, light paper.
QImage dialogPicture();
// The program icon at the given edge length.
QImage iconPicture(int size);

// 200 x 150 start-up picture.
QImage splashPicture();
// 100 x 75 maker logo of the about box.
QImage aboutPicture();
// 340 x 268 rules window: a clipboard whose sheet (x 12..328, y 12..224) carries the rules text.
QImage rulesPicture();

// The clock's caption ("Time:", "Zeit:") as the clock panel shows it: lime text in a 27 x 16 box on
// a transparent ground, left-aligned and centred in height, in the largest size up to 12 pixels that
// fits. Drawn here so the main window's first frame needs no font.
QImage clockCaptionPicture(const QString& word);

} // namespace art
