#include "BenchProject.h"

#include "util/files/FileHelpers.h"

#include <string>

TAffManager MakeBenchProject(int itemsPerList) {
    TAffManager model;
    model.Title = "Zen Garden Secrets";
    model.AffiliateURL = "http://xxxx.zengarden.hop.clickbank.net";
    model.ClickBankId = "gardenpro";
    model.TemplateName = "Aurora";
    model.OutputFileName = "page.htm";
    for (int i = 0; i < itemsPerList; ++i) {
        const std::string n = std::to_string(i);
        model.Anchors.push_back("Grow a calm garden in 30 days, link " + n);
        model.PPCAds.push_back("^Calm Garden " + n +
                               "^Turn any yard into a retreat.$$Plans for "
                               "beginners.^www.ZenGardenSecrets.com^");
        model.Banners.push_back("https://cdn.example.com/banners/banner-" + n + ".gif");
        model.Signatures.push_back("Peace grows here$$Zen Garden Secrets " + n);
        model.Emails.push_back("Subject: Your garden " + n +
                               "$$$$Hi,$$Imagine raked gravel and "
                               "soft moss.$$Take a look:$$%%AFFILIATELINK%%");
        model.AutoEmails.push_back("Subject: Day " + n + "$$$$Every garden begins with one stone.");
        model.Articles.push_back("How to Build a Zen Garden " + n + "$$$$" + std::string(600, 'x') +
                                 "$$Read more.");
        model.PopUps.push_back("<script>alert('Zen Garden " + n + "');</script>");
    }
    return model;
}

std::string ShippedTemplateText() {
    return ReadFileBytes(std::filesystem::path(VANTOR_SOURCE_DIR) / "templates" / "aurora.tem");
}
