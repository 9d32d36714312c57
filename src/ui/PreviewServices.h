#pragma once

#include "ui/Services.h"

// Sets the services that preview banners and pages. Where the build has Qt WebEngine, its views,
// loaded on first use; elsewhere Qt's own picture and text views.
void ProvidePreviews(TfrmMainServices& services);
