// Start of the program, shared by main() and the window tests.
#pragma once

namespace pelagor {

// After the application object exists and before the event loop: the regional settings, the
// main window (FormCreate), the data module (DataModuleCreate), the binding of the grids and
// the hidden result entry dialog; then the window is shown. When the data cannot be opened
// the user is told why and false is returned.
bool createApplicationObjects();
// Destroys what createApplicationObjects made (at the end of the program, and between tests).
void destroyApplicationObjects();

} // namespace pelagor
