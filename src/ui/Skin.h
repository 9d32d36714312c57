#pragma once

class QApplication;

// Gives the application the look it is shipped with: style, font, style sheet and icon.
void ApplyBuiltInSkin(QApplication& application);
