#pragma once

#include "ui/Services.h"
#include "ui/editors/EditorSteps.h"
#include "ui/layout/WizardControls.h"

#include <memory>
#include <vector>

class BannerEditor;
class MemoEditor;
class PPCEditor;
class TextListEditor;

// The eight promo editors of pages 2 to 9, each over its list of the project.
class PromoEditors {
  public:
    PromoEditors(const WizardControls& controls, TAffManager& project, EditorContext context,
                 const WindowServices& services);
    ~PromoEditors();

    // Shows every list as the project holds it.
    void ShowItems();

  private:
    std::unique_ptr<TextListEditor> links_;
    std::unique_ptr<PPCEditor> ppcAds_;
    std::unique_ptr<BannerEditor> banners_;
    std::vector<std::unique_ptr<MemoEditor>> memos_;
};
