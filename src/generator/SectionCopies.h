#pragma once

#include "generator/PassPipeline.h"
#include "generator/Placeholders.h"
#include "model/UAffiliate.h"

#include <cstddef>
#include <string_view>
#include <vector>

// Writes one copy of a section's body per item of its list, each made afresh where the body
// stands, so that the copies of a long list are never kept whole. An item goes in escaped where
// its placeholder is marked, as typed elsewhere; AsTyped names the items that escaping leaves
// as they are. Adds to SizeHint what the copies will weigh; throws DeliveryError PageTooLarge,
// before making any, for copies beyond the largest page.
PassPipeline::Writer CopiesOfBody(const Section& section, std::string_view body,
                                  const TAffManager& model, const std::vector<bool>& asTyped,
                                  std::size_t tableSize, std::size_t& sizeHint);
