#include "ui/editors/PromoEditors.h"

#include "ui/editors/BannerEditor.h"
#include "ui/editors/MemoEditor.h"
#include "ui/editors/PPCEditor.h"
#include "ui/editors/TextListEditor.h"

PromoEditors::PromoEditors(const WizardControls& c, TAffManager& project, EditorContext context,
                           const WindowServices& services) {
    links_ = std::make_unique<TextListEditor>(
        TextListEditor::Controls{c.edtAchorText, c.btnCreateLinkPromo, c.btnDeleteLinkPromo,
                                 c.lbxLinkPromo},
        project.Anchors,
        TextListEditor::Texts{"Please provide a valid Text Link Promo.",
                              "This Text Link Promo already exists.",
                              "Please select a Text Link Promo to delete."},
        context);
    ppcAds_ = std::make_unique<PPCEditor>(
        PPCEditor::Controls{c.edtPPCTitle, c.memPPCBody, c.edtPPCLink, c.btnCreateProm,
                            c.btnDeleteProm, c.lbxPPCAds, c.memPPCDetails},
        project.PPCAds, context);
    banners_ =
        std::make_unique<BannerEditor>(BannerEditor::Controls{{c.edtImageUrl, c.btnCreateImageUrl,
                                                               c.btnDeleteImageUrl, c.lbxBanners},
                                                              c.btnBrowseImage,
                                                              c.EmbeddedWB1},
                                       project.Banners, context, services);
    const std::tuple<const MemoPageControls&, StringList&, MemoEditor::Texts> memos[] = {
        {c.signatures,
         project.Signatures,
         {"Signature Ad", "Please provide a valid Signature Ad Promo.",
          "Please select a Signature Ad Promo to delete."}},
        {c.emails,
         project.Emails,
         {"Email Ad", "Please provide a valid Email Ad.", "Please select an Email Ad to delete."}},
        {c.autoEmails,
         project.AutoEmails,
         {"Autoresponder Ad", "Please provide a valid Autoresponder Ad.",
          "Please select an Autoresponder Ad to delete."}},
        {c.articles,
         project.Articles,
         {"Article", "Please provide a valid Article.", "Please select an Article to delete."}},
        {c.popUps,
         project.PopUps,
         {"PopUp", "Please provide a valid PopUp.", "Please select a PopUp to delete."}},
    };
    for (const auto& [controls, items, texts] : memos)
        memos_.push_back(std::make_unique<MemoEditor>(controls, items, texts, context));
}

PromoEditors::~PromoEditors() = default;

void PromoEditors::ShowItems() {
    links_->ShowItems();
    banners_->ShowItems();
    ppcAds_->ShowItems();
    for (const auto& memo : memos_)
        memo->ShowItems();
}
