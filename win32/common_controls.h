#pragma once

// Loads the common controls from the system folder, after the DLL search has
// been restricted, and registers their window classes; the application
// manifest makes that version 6, with the visual styles.
void initialiseCommonControls();
