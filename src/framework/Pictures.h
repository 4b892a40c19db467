#pragma once

#include <QIcon>
#include <QImage>

// The program's own pictures, drawn when they are needed rather than shipped as files. The graphs
// in them come from the same drawing code as the graph windows.

// The pictures of ":/icons/" are compiled into the framework library; a static library needs them
// registered by hand before the first use.
void InitIconResources();
// The program's icon, with the icons registered.
QIcon ProgramIcon();

// The splash screen, 500 by 300: a few graphs behind the program's name and version.
QImage SplashPicture();
// The left side of the copy wizard's pages: a clipboard holding a small graph.
QImage CopyWizardPicture();
// The light bulb beside the heading of the tip of the day, 40 by 53.
QImage TipPicture();
