#pragma once

class QApplication;

// Gives the application the look it is shipped with.
void ApplyBuiltInSkin(QApplication& application);
