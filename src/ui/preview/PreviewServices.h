#pragma once

#include "ui/Services.h"

// Sets the services that preview banners and pages from the program folder and the browser
// service, which are set before. Where the build has Qt WebEngine, its views, loaded on first
// use (banners fall back to Qt's own picture view where the engine cannot start); elsewhere the
// picture view for banners, and pages go to the browser as temporary files that are removed
// when the services go.
void ProvidePreviews(WindowServices& services);
