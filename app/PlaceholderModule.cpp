#include "app/PlaceholderModule.h"

#include "app/core/Canvas.h"
#include "app/core/DrawingArea.h"

void PlaceholderModule::PaintPuzzle()
{
    Canvas(services_.work()).copyFrom(services_.background(), DrawingAreaRect);
    services_.copyWorkToScreen(DrawingAreaRect);
}
