// Resource identifiers shared by crossrect.rc and the window code. Plain
// macros, because the resource compiler reads this file too.
#pragma once

#define CROSSRECT_ICON_ID 1
