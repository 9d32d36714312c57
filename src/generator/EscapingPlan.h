#pragma once

#include "generator/EscapedText.h"
#include "model/UAffiliate.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// What escaping a page needs: the template with the placeholders marked that stand where their
// text must be escaped, the escaped passes each placeholder needs, and the items that go in as
// typed wherever they stand.
class EscapingPlan {
  public:
    // The plan for a template (its lines already ended by CR LF) and a project with its menu
    // and PPC table. A project whose text escaping changes nothing keeps the template unmarked,
    // since marks keep a section body from matching a copy of itself in a copy box.
    EscapingPlan(std::string page, const TAffManager& model, std::string_view menu,
                 std::string_view table);

    const std::string& Page() const { return marked_.text; }
    bool Marked() const { return !marked_.used.empty(); }

    // The escapings Placeholder is marked with: where the template marks it, and, when typed
    // text names it, wherever typed text is escaped.
    std::vector<Escaping> EscapingsOf(std::string_view placeholder) const;

    // Per item of the section, whether escaping changes nothing in it and it names no
    // placeholder, so that it goes in as typed wherever it stands; empty when unmarked.
    const std::vector<bool>& AsTyped(std::size_t section) const { return asTyped_[section]; }

  private:
    bool Named(std::string_view placeholder) const;
    void Survey(const TAffManager& model);

    MarkedTemplate marked_;
    bool typedTextChanges_ = false;
    std::vector<std::string_view> named_;
    std::array<std::vector<bool>, 7> asTyped_;
};
