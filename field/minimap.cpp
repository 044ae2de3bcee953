// The minimap.
#include "field/minimap.h"

Minimap minimap;

void Minimap::SetScreenSize(int, int) {}
void Minimap::SetRect(int, int, int, int) {}
void Minimap::RemoveMarker(int) {}
