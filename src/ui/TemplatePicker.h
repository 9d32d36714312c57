#pragma once

#include <QObject>
#include <filesystem>
#include <string>

class ProjectController;
class QComboBox;
class QLabel;
class UserMessages;

// The template page: the catalogue in the drop-down list, the chosen template in the model and
// its preview picture.
class TemplatePicker : public QObject {
  public:
    TemplatePicker(QComboBox* list, QLabel* preview, const std::filesystem::path& programFolder,
                   ProjectController& project, const UserMessages& messages);

    // Fills the list from the catalogue; the first entry becomes the chosen one.
    void LoadTemplates();
    // Shows the template Name as chosen, as stored, when the catalogue has it.
    void ShowTemplate(const std::string& name);

  private:
    void cbxTemplatesChange();
    void ShowPreview();

    QComboBox* cbxTemplates;
    QLabel* Image1;
    std::filesystem::path programFolder_;
    ProjectController& project_;
};
