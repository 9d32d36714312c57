#include "generator/PassPipeline.h"

#include "generator/TemplateEngine.h"
#include "support/ReferenceEngine.h"

#include <array>
#include <gtest/gtest.h>
#include <random>

namespace {

// Pieces that make occurrences, near misses and occurrences split across item borders likely.
const std::array<const char*, 29> Pieces = {
    "%%TITLE%%", "%%AFFILIATELINK%%", "%%PPCADS%%", "%%EMAIL%%", "%%ANCHORTEXT%%", "%%BANNER%%",
    "%%TABLE_EMAIL_INIT%%", "%%TABLE_EMAIL_END%%", "%%TABLE_LINKTEXT_INIT%%",
    "%%TABLE_LINKTEXT_END%%", "%%TABLE_BANNER_INIT%%", "%%TABLE_BANNER_END%%", "%%TABLE_",
    "EMAIL_END%%", "%%", "%", "$$", "$", "\r\n", "\n", " x ",
    // from here on, pieces that escaping changes
    "<p>", "<textarea>", "</textarea>", "<title>", "<a href=\"", "\">", "&", "'"};

constexpr std::size_t PlainPieces = 21;

std::string RandomText(std::mt19937& random, int pieces, bool plain = false) {
    std::string text;
    std::uniform_int_distribution<std::size_t> pick(0, (plain ? PlainPieces : Pieces.size()) - 1);
    for (int i = 0; i < pieces; ++i)
        text += Pieces[pick(random)];
    return text;
}

StringList RandomList(std::mt19937& random, bool plain) {
    StringList items(std::uniform_int_distribution<int>(0, 4)(random));
    for (auto& item : items)
        item = RandomText(random, std::uniform_int_distribution<int>(0, 4)(random), plain);
    return items;
}

} // namespace

TEST(PassPipeline, AgreesWithPassByPassReplacementAcrossPieceBorders) {
    std::mt19937 random(7);
    auto text = [&random](std::size_t size) {
        std::string result(size, 'a');
        for (char& byte : result)
            byte = "ab%"[std::uniform_int_distribution<int>(0, 2)(random)];
        return result;
    };
    for (int round = 0; round < 40; ++round) {
        const std::string input =
            text(std::uniform_int_distribution<std::size_t>(0, 70000)(random));
        std::vector<Pass> passes;
        PassPipeline pipeline('%');
        for (int i = std::uniform_int_distribution<int>(1, 6)(random); i > 0; --i) {
            // Now and then a pattern longer than a piece, to exercise the gathering of pieces.
            const std::size_t length =
                round % 7 == 0 && i == 1 ? 20000
                                         : std::uniform_int_distribution<std::size_t>(1, 6)(random);
            passes.emplace_back(text(length),
                                text(std::uniform_int_distribution<std::size_t>(0, 9)(random)));
            if (length == 20000)
                passes.back().first = input.substr(input.size() / 3, 20000);
            pipeline.Add(passes.back().first, passes.back().second);
        }
        const std::string expected = PassByPass(input, passes);
        // A hint far too small makes the pipeline count before building.
        ASSERT_EQ(pipeline.Run(input, expected.size(), round % 2 ? expected.size() : 0), expected)
            << "round " << round;
        EXPECT_EQ(pipeline.ResultSize(input, expected.size()), expected.size());
        if (!expected.empty()) {
            EXPECT_FALSE(pipeline.ResultSize(input, expected.size() - 1));
        }
    }
}

TEST(TemplateEngine, GivesTheBytesOfTheWholePagePassesForRandomProjects) {
    std::mt19937 random(11);
    for (int round = 0; round < 450; ++round) {
        // A third of the projects hold nothing that escaping changes, and no PPC table.
        const bool plain = round % 3 == 0;
        TAffManager model;
        model.Title = RandomText(random, 2, plain);
        model.AffiliateURL = RandomText(random, 2, plain);
        model.ClickBankId = RandomText(random, 1, plain);
        for (auto list : {&TAffManager::Anchors, &TAffManager::Emails, &TAffManager::Banners,
                          &TAffManager::AutoEmails, &TAffManager::Articles,
                          &TAffManager::Signatures, &TAffManager::PopUps})
            model.*list = RandomList(random, plain);
        const std::string templateText =
            RandomText(random, 3) + "%%TABLE_LINKTEXT_INIT%%" + RandomText(random, 3) +
            "%%TABLE_LINKTEXT_END%%" + RandomText(random, 3) + "%%TABLE_EMAIL_INIT%%" +
            RandomText(random, 3) + "%%TABLE_EMAIL_END%%" + RandomText(random, 8) +
            "%%TABLE_BANNER_INIT%%" + RandomText(random, 3) + "%%TABLE_BANNER_END%%" +
            RandomText(random, 3);
        if (round % 2 && !plain)
            model.PPCAds = {"^T^B$$x^L^", "^U^^^"};
        // Menu and PPC table hold no placeholders; the engine gives them on their own.
        auto alone = [&model](const char* placeholder) {
            const std::string text = ExpandTemplate(placeholder, model);
            return text.substr(0, text.size() - 2);
        };
        const std::string page = ExpandTemplate(templateText, model);
        ASSERT_EQ(page,
                  ReferenceExpand(templateText, model, alone("%%MENU%%"), alone("%%PPCADS%%")))
            << "round " << round << "\n"
            << templateText;
        // Where nothing typed needs escaping, the page is the one made before escaping came in.
        if (plain) {
            ASSERT_EQ(page, ReferenceExpand(templateText, model, alone("%%MENU%%"),
                                            alone("%%PPCADS%%"), false))
                << "round " << round << "\n"
                << templateText;
        }
    }
}
