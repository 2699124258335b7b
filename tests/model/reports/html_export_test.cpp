#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/model_error.h"
#include "model/reports/html_export_link.h"
#include "model/reports/html_export_publish.h"
#include "tests/model/reports/drawing_fixture.h"
#include "tests/support/model_doubles/fake_catalogue_entity.h"

namespace vrn::testing {
namespace {

TEST(LinkKindTest, KindsCodesAndAttributes) {
    struct Case {
        const char* kind;
        int code;
        const char* attribute;
    };
    for (const Case& c : std::vector<Case>{{"Discussion", 0, "Link_Dis"},
                                           {"Reference", 1, "Link_Ref"},
                                           {"Example", 2, "Link_Ex"},
                                           {"Dependency_Map", 3, "Link_Dependency_Map"},
                                           {"VRN", 3, "Link_Dependency_Map"}}) {
        SCOPED_TRACE(c.kind);
        FakeCatalogueEntity entity("Order handling");
        ASSERT_TRUE(Make_Link(entity, "Varnel", c.kind, "http://maps/a.html", "A map", 5));
        EXPECT_EQ(CatalogueText(entity.GetAttributeValue(c.attribute)),
                  std::to_string(c.code) + "!Varnel!http://maps/a.html!5!A map");
    }
}

TEST(LinkKindTest, UnknownKindsAndAnEmptyTargetAttachNothing) {
    struct Case {
        const char* target;
        const char* kind;
    };
    for (const Case& c : std::vector<Case>{
             {"Varnel", "discussion"}, {"Varnel", "vrn"}, {"Varnel", ""}, {"", "VRN"}}) {
        SCOPED_TRACE(std::string(c.target) + "/" + c.kind);
        FakeCatalogueEntity entity("Order handling");
        entity.refuseChanges();  // any attempt to attach would throw
        EXPECT_FALSE(Make_Link(entity, c.target, c.kind, "u", "d", 0));
    }
}

TEST(LinkKindTest, LinkTextJoinsItsPartsWithBangs) {
    EXPECT_EQ(LinkText(3, "Varnel", "/html/VRN_7_12345.html", 0, "The Varnel for 'A!B'."),
              "3!Varnel!/html/VRN_7_12345.html!0!The Varnel for 'A!B'.");
}

TEST(HtmlFileTest, NamesAndSeparators) {
    EXPECT_EQ(HtmlFileName("1207"), "VRN_1207_12345.html");
    struct Case {
        const char* prefix;
        const char* path;
        const char* url;
    };
    for (const Case& c : std::vector<Case>{
             {"/srv/maps/", "/srv/maps/f.html", "/srv/maps/f.html"},
             {"/srv/maps", "/srv/maps/f.html", "/srv/maps/f.html"},
             {"C:\\maps\\", "C:\\maps\\f.html", "C:\\maps\\/f.html"},
             {"http://host/maps", "http://host/maps/f.html", "http://host/maps/f.html"},
             {"", "f.html", "f.html"}}) {
        SCOPED_TRACE(c.prefix);
        EXPECT_EQ(JoinHtmlPath(c.prefix, "f.html"), c.path);
        EXPECT_EQ(JoinHtmlUrl(c.prefix, "f.html"), c.url);
    }
}

class PublishTest : public DrawingFixture {
protected:
    std::shared_ptr<VRN_Matrix> DocumentFor(std::shared_ptr<FakeCatalogueEntity> host) {
        entity = std::move(host);
        window.setEnt(entity);
        auto document = NewDocument();
        document->VRN_HTML_Path = "/srv/www/maps";
        document->VRN_HTML_URL = "http://host/maps";
        return document;
    }

    std::shared_ptr<FakeCatalogueEntity> entity;
};

TEST_F(PublishTest, ExportsThePageAndLinksItToTheEntity) {
    auto document = DocumentFor(std::make_shared<FakeCatalogueEntity>(
        "Orders <&> \"quoted\"",
        std::map<std::string, CatalogueValue>{{"kt_ID", std::int64_t{1207}}}));
    Report(*document, true);

    EXPECT_EQ(drawing.calls, (std::vector<std::string>{
                                 "CenterDrawing", "Export /srv/www/maps/VRN_1207_12345.html"}));
    EXPECT_EQ(CatalogueText(entity->GetAttributeValue("Link_Dependency_Map")),
              "3!Varnel!http://host/maps/VRN_1207_12345.html!0!"
              "The Varnel for 'Orders <&> \"quoted\"'.");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt,
              "The Tessary has used Visio to generate the HTML file: "
              "'/srv/www/maps/VRN_1207_12345.html' and has added an external link to : "
              "'Orders <&> \"quoted\"' pointing to this Varnel diagram.");

    // A second export of the same entity replaces the same page.
    drawing = RecordingDrawing();
    Report(*document, true);
    EXPECT_EQ(drawing.calls.back(), "Export /srv/www/maps/VRN_1207_12345.html");
}

TEST_F(PublishTest, ALinkTheEntityRefusesIsReportedNotClaimed) {
    auto document = DocumentFor(std::make_shared<FakeCatalogueEntity>(
        "Orders", std::map<std::string, CatalogueValue>{{"kt_ID", std::string("88")}}));
    entity->refuseChanges();
    Report(*document, true);

    EXPECT_EQ(drawing.calls.back(), "Export /srv/www/maps/VRN_88_12345.html");
    ASSERT_EQ(messages.shown().size(), 1u);
    const auto& box = messages.shown()[0];
    EXPECT_EQ(box.prompt.find("has added"), std::string::npos);
    EXPECT_NE(box.prompt.find("no link to it could be added to 'Orders'"), std::string::npos);
    EXPECT_NE(box.prompt.find("deleted entity"), std::string::npos) << "the catalogue's reason";
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
}

TEST_F(PublishTest, NothingIsWrittenOrLinkedWithoutAUsableEntity) {
    struct Case {
        const char* name;
        std::shared_ptr<FakeCatalogueEntity> entity;
    };
    for (const Case& c : std::vector<Case>{
             {"no entity", nullptr},
             {"no kt_ID", std::make_shared<FakeCatalogueEntity>("Orders")},
             {"an ID that is a path", std::make_shared<FakeCatalogueEntity>(
                                          "Orders", std::map<std::string, CatalogueValue>{
                                                        {"kt_ID", std::string("../../x")}})}}) {
        SCOPED_TRACE(c.name);
        drawing = RecordingDrawing();
        auto document = DocumentFor(c.entity);
        EXPECT_ANY_THROW(Report(*document, true));
        EXPECT_EQ(drawing.calls, std::vector<std::string>{"CenterDrawing"});
        EXPECT_TRUE(messages.shown().empty());
    }
}

TEST_F(PublishTest, AFailedExportLinksNothing) {
    auto document = DocumentFor(std::make_shared<FakeCatalogueEntity>(
        "Orders", std::map<std::string, CatalogueValue>{{"kt_ID", std::int64_t{5}}}));
    drawing.failExports();
    EXPECT_THROW(Report(*document, true), DrawingError);
    EXPECT_ANY_THROW(entity->GetAttributeValue("Link_Dependency_Map"));
    EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace vrn::testing
