#pragma once

#include "ui/Services.h"

// Sets the services that preview banners and pages from the program folder and the browser
// service, which are set before. Where the build has Qt WebEngine, its views, loaded on first
// use; elsewhere, and for banners where the engine cannot start, Qt's own picture and text views.
void ProvidePreviews(WindowServices& services);
