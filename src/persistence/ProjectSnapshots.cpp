#include "persistence/ProjectSnapshots.h"

namespace {

constexpr std::array<StringList TAffManager::*, 8> Lists = {
    &TAffManager::Anchors,    &TAffManager::PPCAds, &TAffManager::Banners,
    &TAffManager::Signatures, &TAffManager::Emails, &TAffManager::AutoEmails,
    &TAffManager::Articles,   &TAffManager::PopUps,
};

} // namespace

TAffManager ProjectOf(const ProjectSnapshot& snapshot) {
    TAffManager project = snapshot.texts;
    for (std::size_t index = 0; index < Lists.size(); ++index)
        if (snapshot.lists[index])
            project.*Lists[index] = *snapshot.lists[index];
    return project;
}

ProjectSnapshot ProjectSnapshots::Take(const TAffManager& project) {
    last_.texts.Title = project.Title;
    last_.texts.AffiliateURL = project.AffiliateURL;
    last_.texts.ClickBankId = project.ClickBankId;
    last_.texts.TemplateName = project.TemplateName;
    last_.texts.OutputFileName = project.OutputFileName;
    for (std::size_t index = 0; index < Lists.size(); ++index) {
        const StringList& list = project.*Lists[index];
        std::shared_ptr<const StringList>& shared = last_.lists[index];
        if (!shared || *shared != list)
            shared = std::make_shared<const StringList>(list);
    }
    return last_;
}
