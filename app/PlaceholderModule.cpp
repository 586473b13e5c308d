#include "app/PlaceholderModule.h"

#include "app/core/Canvas.h"

void PlaceholderModule::PaintPuzzle()
{
    const QRect area(0, 0, 500, 333);
    Canvas(services_.work()).copyFrom(services_.background(), area);
    services_.copyWorkToScreen(area);
}
