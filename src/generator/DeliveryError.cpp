#include "generator/DeliveryError.h"

namespace {

std::string TextOf(DeliveryError::Reason reason, std::string_view detail) {
    using Reason = DeliveryError::Reason;
    switch (reason) {
    case Reason::InvalidFileName:
        return "Please provide a valid output filename.";
    case Reason::NameLeavesOutput:
        return "The output filename \"" + std::string(detail) +
               "\" leaves the Output folder, and pages are written into the Output folder only. "
               "Please provide a name without \"..\".";
    case Reason::NoOutputFolder:
        return "Can't create the output folder! Check the output path you provided.";
    case Reason::NoTemplate:
        return "The selected template could not be found in the Templates folder.";
    case Reason::EmptyTemplate:
        return "The template file \"" + std::string(detail) + "\" is empty.";
    case Reason::PageTooLarge:
        break;
    }
    return "The page would be larger than 1 GiB, so it was not made. Items that hold "
           "placeholders such as %%PPCADS%% or %%AFFILIATELINK%% repeat whole parts of the page; "
           "remove those placeholders from the items.";
}

} // namespace

DeliveryError::DeliveryError(Reason reason, std::string_view detail)
    : AppError(TextOf(reason, detail)), reason_(reason) {}
