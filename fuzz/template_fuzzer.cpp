// Fills an arbitrary template from an arbitrary project; the page must be the one that the
// passes give when each is run over the whole page.
#include "generator/DeliveryError.h"
#include "generator/TemplateEngine.h"
#include "support/ReferenceEngine.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

StringList ConsumeList(FuzzedDataProvider& input) {
    StringList items(input.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (auto& item : items)
        item = input.ConsumeRandomLengthString(200);
    return items;
}

std::string Alone(const char* placeholder, const TAffManager& model) {
    const std::string text = ExpandTemplate(placeholder, model);
    return text.substr(0, text.size() - 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    TAffManager model;
    model.Title = input.ConsumeRandomLengthString(100);
    model.AffiliateURL = input.ConsumeRandomLengthString(100);
    model.ClickBankId = input.ConsumeRandomLengthString(50);
    for (auto list : {&TAffManager::Anchors, &TAffManager::PPCAds, &TAffManager::Banners,
                      &TAffManager::Signatures, &TAffManager::Emails, &TAffManager::AutoEmails,
                      &TAffManager::Articles, &TAffManager::PopUps})
        model.*list = ConsumeList(input);
    const std::string templateText = input.ConsumeRemainingBytesAsString();
    std::string page;
    try {
        page = ExpandTemplate(templateText, model);
    } catch (const DeliveryError&) {
        return 0; // a page beyond the ceiling is refused, not made
    }
    // The menu holds no placeholder; the PPC table may, so it is compared only without them.
    const std::string table = Alone("%%PPCADS%%", model);
    if (table.find("%%") == std::string::npos &&
        page != ReferenceExpand(templateText, model, Alone("%%MENU%%", model), table))
        std::abort();
    return 0;
}
