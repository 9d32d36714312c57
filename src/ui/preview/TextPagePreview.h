#pragma once

#include <QString>
#include <filesystem>

class QWidget;

// Shows a page in Owner's preview window, made on first use, with Qt's own rich-text view: the
// layout of its tables, text and pictures, though not its scripts or style sheets. Relative
// addresses resolve in BaseFolder.
void ShowTextPagePreview(QWidget* owner, const QString& html,
                         const std::filesystem::path& baseFolder);
