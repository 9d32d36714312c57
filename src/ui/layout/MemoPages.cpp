#include "ui/layout/MemoPages.h"

#include "ui/layout/ControlBuilders.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace {

// One labelled control of a memo page: its name and place, and the label that names it.
struct LabelledControl {
    const char* name;
    QRect geometry;
    const char* labelName;
    const char* label;
    QPoint labelAt;
};

struct ButtonPair {
    const char* createName;
    const char* deleteName;
    QPoint at;
};

// Pages 5 to 9 share one shape: a memo, two buttons, a list and a details memo, each in the same
// place on every page, so that nothing shifts while the user pages through them.
struct MemoPage {
    const char* pageName;
    const char* step;
    LabelledControl input;
    ButtonPair buttons;
    LabelledControl list;
    LabelledControl details;
};

// Each control on two lines: its name and place, then its label.
// clang-format off
const MemoPage SignaturePage{
    "SignaturePromo", "Step 6: Create your Signature Ad Promo.",
    {"memSignature", {20, 66, 336, 103},
     "bsSkinStdLabel21", "Enter your Signature Promo:", {19, 48}},
    {"btnAddSignature", "btnDeleteSignature", {174, 179}},
    {"lbxSignatures", {367, 67, 348, 103},
     "bsSkinStdLabel34", "Signature Promos:", {367, 48}},
    {"memSignatureDetails", {367, 196, 348, 103},
     "bsSkinStdLabel35", "Signature Promo Details:", {367, 179}},
};

const MemoPage EmailPage{
    "EmailPromo", "Step 7: Create your Email Ad.",
    {"memEmail", {20, 66, 336, 103},
     "bsSkinStdLabel24", " Write your email:", {16, 48}},
    {"btnCreateEmail", "btnDeleteEmail", {174, 179}},
    {"lbxEmails", {367, 67, 348, 103},
     "bsSkinStdLabel23", "Email Ads:", {367, 48}},
    {"memEmailDetails", {367, 196, 348, 103},
     "bsSkinStdLabel32", "Email Ad Details:", {367, 179}},
};

const MemoPage AutoEmailPage{
    "AutoresponderPromo", "Step 8: Create your Autoresponder Email Promo.",
    {"memAutoEmail", {20, 66, 336, 103},
     "bsSkinStdLabel26", " Write your email:", {16, 48}},
    {"btnCreateAutoEmail", "btnDeleteAutoEmail", {174, 179}},
    {"lbxAutoEmail", {367, 67, 348, 103},
     "bsSkinStdLabel37", "Email Autoresponder Promos:", {367, 48}},
    {"memAutoEmailDetails", {367, 196, 348, 103},
     "bsSkinStdLabel43", "Autoresponder Email Details:", {367, 179}},
};

const MemoPage ArticlePage{
    "ArticlePromo", "Step 9: Create your Article.",
    {"memArticle", {20, 66, 336, 103},
     "bsSkinStdLabel27", "Enter your Article:", {19, 48}},
    {"btnCreateArticle", "btnDeleteArticle", {174, 179}},
    {"lbxArticles", {367, 67, 348, 103},
     "bsSkinStdLabel28", "Articles:", {367, 48}},
    {"memArticleDetails", {367, 196, 348, 103},
     "bsSkinStdLabel39", "Article Details:", {367, 179}},
};

const MemoPage PopUpPage{
    "CodePromo", "Step 10: Create your PopUp Code.",
    {"memPopUp", {20, 66, 336, 103},
     "bsSkinStdLabel30", "Enter your PopUp Code:", {19, 48}},
    {"btnCreatePopUp", "btnDeletePopUp", {174, 179}},
    {"lbxPopups", {367, 67, 348, 103},
     "bsSkinStdLabel40", "PopUp Codes:", {367, 48}},
    {"memPopUpDetails", {367, 196, 348, 103},
     "bsSkinStdLabel41", "PopUp Code Details:", {367, 179}},
};
// clang-format on

QLabel* LabelOf(QWidget* page, const LabelledControl& control) {
    return Label(page, control.labelName, control.label, control.labelAt);
}

// Builds a memo page: its memo, buttons, list and details memo, in this order.
MemoPageControls CreateMemoPage(QStackedWidget* pages, const MemoPage& layout) {
    QWidget* page = Page(pages, layout.pageName);
    StepLabel(page, "", layout.step, {14, 8});
    auto* input = Memo(page, layout.input.name, layout.input.geometry);
    LabelControl(LabelOf(page, layout.input), input);
    const QPoint buttons = layout.buttons.at;
    auto* create =
        Button(page, layout.buttons.createName, "Create Ad", {buttons.x(), buttons.y(), 83, 25});
    auto* remove = Button(page, layout.buttons.deleteName, "Delete Ad",
                          {buttons.x() + 88, buttons.y(), 83, 25});
    auto* list = ListBox(page, layout.list.name, layout.list.geometry);
    LabelControl(LabelOf(page, layout.list), list);
    auto* details = Memo(page, layout.details.name, layout.details.geometry);
    LabelControl(LabelOf(page, layout.details), details);
    return {input, create, remove, list, details};
}

} // namespace

void CreateMemoPages(QStackedWidget* pages, WizardControls& controls) {
    controls.signatures = CreateMemoPage(pages, SignaturePage);
    controls.emails = CreateMemoPage(pages, EmailPage);
    controls.autoEmails = CreateMemoPage(pages, AutoEmailPage);
    controls.articles = CreateMemoPage(pages, ArticlePage);
    controls.popUps = CreateMemoPage(pages, PopUpPage);
}
