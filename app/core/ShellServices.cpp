#include "app/core/ShellServices.h"

#include "app/core/Canvas.h"

void ShellServices::copyWorkToScreen(const QRect& rect)
{
    Canvas(screen()).copyFrom(work(), rect);
    screenChanged(rect);
}
