#include "proppages/balloon_pages.h"
#include "proppages/button_pages.h"
#include "proppages/page_ids.h"
#include "proppages/page_registry.h"
#include "proppages/standin/standin_button.h"
#include "tests/proppages/recording_control.h"

#include <QAbstractButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vrn::pp {
namespace {

using testing::ActivePage;
using ::testing::ElementsAreArray;
using testing::RecordingControl;

// A value of the row's kind that differs from row to row and stays within its list.
PropertyValue sampleValue(const PageTable& table, const FieldRow& row, int i) {
    switch (row.kind) {
        case FieldKind::List:
            for (const ComboEntries& list : table.lists) {
                if (list.control == row.control) {
                    return qint32(i % list.entries.size());
                }
            }
            return qint32{-1};
        case FieldKind::Check:
            return qint16(i % 2);
        case FieldKind::Unsigned:
            return qint16(100 + i);
        case FieldKind::Signed:
            return qint16(-1 - i);
        case FieldKind::Long:
            return qint32(100000 + i);
        case FieldKind::Float:
            return 0.5f + static_cast<float>(i);
        case FieldKind::Text:
            return QString("text %1").arg(i);
        case FieldKind::Radio:
            return qint16{1};
    }
    return qint32{0};
}

std::vector<int> getterSlotsRead(const RecordingControl& control) {
    std::vector<int> numbers;
    for (const std::string& call : control.calls("get ")) {
        numbers.push_back(std::stoi(call.substr(4)));
    }
    return numbers;
}

TEST(TablePages, EachPageFillsAndWritesAControlBackUnchangedInTableOrder) {
    const QUuid pages[] = {kCLSID_BtnGeneralPropPage,  kCLSID_BtnAppearancePropPage,
                           kCLSID_BlnGeneralPropPage,  kCLSID_BlnAppearancePropPage,
                           kCLSID_BlnPositionPropPage, kCLSID_BlnTailPropPage,
                           kCLSID_BlnTextPropPage};
    for (const QUuid& clsid : pages) {
        auto created = CreatePage(clsid);
        const PageTable table = dynamic_cast<TablePage&>(*created).table();
        auto control = std::make_shared<RecordingControl>(table.identity.controlIid);
        std::vector<int> getters;
        std::vector<int> setters;
        for (int i = 0; i < static_cast<int>(table.rows.size()); ++i) {
            const FieldRow& row = table.rows[i];
            control->preset(row.slot, sampleValue(table, row, i));
            getters.push_back(row.slot);
            setters.push_back(row.slot + 1);
        }
        if (!table.readOrder.empty()) {
            getters.clear();
            for (const int id : table.readOrder) {
                getters.push_back(dynamic_cast<TablePage&>(*created).row(id).slot);
            }
        }
        const auto before = control->values;

        ActivePage p(std::move(created), {control});
        EXPECT_THAT(getterSlotsRead(*control), ElementsAreArray(getters))
            << table.identity.progIdStem.toStdString();
        control->clearLog();
        p.page->Apply();
        EXPECT_THAT(control->setterSlots(), ElementsAreArray(setters))
            << table.identity.progIdStem.toStdString();
        for (const auto& [slot, value] : before) {
            EXPECT_EQ(control->values[slot], value)
                << table.identity.progIdStem.toStdString() << " slot " << slot << " "
                << testing::describe(control->values[slot]);
        }
        EXPECT_EQ(control->log.back(), "repaint");
    }
}

TEST(TablePages, BalloonTailReadsInsideBeforeOutsideAxisAndWritesInTableOrder) {
    auto control = std::make_shared<RecordingControl>(kIID_IBalloonControl);
    control->preset(77, 1.5f);
    control->preset(79, 4.25f);
    ActivePage p(std::make_unique<CBlnTailPropPage>(), {control});
    EXPECT_THAT(getterSlotsRead(*control), ElementsAreArray({75, 85, 73, 77, 83, 79, 81}));
    EXPECT_EQ(p.text(1095), "1.5");
    EXPECT_EQ(p.text(1096), "4.25");
    control->clearLog();
    p.page->Apply();
    EXPECT_THAT(control->setterSlots(), ElementsAreArray({76, 86, 74, 78, 82, 80, 84}));
    EXPECT_EQ(std::get<float>(control->values[77]), 1.5f);
    EXPECT_EQ(std::get<float>(control->values[79]), 4.25f);
}

TEST(TablePages, RadioGroupsShowAndWriteTheButtonsPosition) {
    struct Case {
        int slot;
        qint16 value;
        int shown;
        qint16 written;
    };
    const Case cases[] = {
        {69, 0, 1015, 0},  {69, 1, 1016, 1},  {69, 2, 1016, 1},  {69, -1, 1016, 1},
        {140, 0, 1017, 0}, {140, 1, 1018, 1}, {140, 5, 1019, 2}, {140, -3, 1019, 2},
    };
    for (const Case& c : cases) {
        auto control = std::make_shared<RecordingControl>(kIID_IButtonControl);
        control->preset(c.slot, c.value);
        ActivePage p(std::make_unique<CBtnGeneralPropPage>(), {control});
        const int first = c.slot == 69 ? 1015 : 1017;
        const int last = c.slot == 69 ? 1016 : 1019;
        for (int id = first; id <= last; ++id) {
            EXPECT_EQ(qobject_cast<QAbstractButton*>(p.item(id))->isChecked(), id == c.shown)
                << c.slot << " = " << c.value << ", button " << id;
        }
        p.page->Apply();
        EXPECT_EQ(control->calls("set " + std::to_string(c.slot + 1) + " ").front(),
                  "set " + std::to_string(c.slot + 1) + " i16 " + std::to_string(c.written));
    }
}

TEST(TablePages, ClickingARadioButtonMakesThePageDirtyAndIsWritten) {
    auto control = std::make_shared<RecordingControl>(kIID_IButtonControl);
    ActivePage p(std::make_unique<CBtnGeneralPropPage>(), {control});
    p.click(1019);
    EXPECT_EQ(p.page->IsPageDirty(), PageResult::Ok);
    p.page->Apply();
    EXPECT_EQ(std::get<qint16>(control->values[140]), 2);
}

TEST(TablePages, ButtonDropShadowTypeSelectsItsEntry) {
    auto control = std::make_shared<RecordingControl>(kIID_IButtonControl);
    control->preset(165, qint32{4});
    ActivePage p(std::make_unique<CBtnAppearancePropPage>(), {control});
    EXPECT_EQ(p.text(1089), "Dithered Focus");
    p.choose(1089, 1);
    EXPECT_EQ(p.page->IsPageDirty(), PageResult::Ok);
    p.page->Apply();
    EXPECT_EQ(std::get<qint32>(control->values[165]), 1);
}

TEST(TablePages, MarginsShowBothSetsAndPutTheSelectorBack) {
    auto button = std::make_shared<StandInButton>();
    constexpr int kSelectorSetter = CBtnMarginsPropPage::kMarginSetSlot + 1;
    button->set(kSelectorSetter, CBtnMarginsPropPage::kTextMargins);
    button->set(174, 11.0f);
    button->set(176, 12.0f);
    button->set(kSelectorSetter, CBtnMarginsPropPage::kPictureMargins);
    button->set(174, 21.0f);
    button->set(180, 24.0f);

    ActivePage p(std::make_unique<CBtnMarginsPropPage>(), {button});
    EXPECT_EQ(p.text(1065), "11");
    EXPECT_EQ(p.text(1067), "12");
    EXPECT_EQ(p.text(1071), "21");
    EXPECT_EQ(p.text(1077), "24");
    EXPECT_EQ(toShort(button->get(181)), CBtnMarginsPropPage::kPictureMargins);

    p.type(1069, "13");
    p.type(1073, "22");
    p.page->Apply();
    EXPECT_EQ(toShort(button->get(181)), CBtnMarginsPropPage::kPictureMargins);
    EXPECT_EQ(toFloat(button->get(173)), 21.0f);
    EXPECT_EQ(toFloat(button->get(175)), 22.0f);
    button->set(kSelectorSetter, CBtnMarginsPropPage::kTextMargins);
    EXPECT_EQ(toFloat(button->get(173)), 11.0f);
    EXPECT_EQ(toFloat(button->get(177)), 13.0f);
}

TEST(PageRegistry, CreatesEachPageByItsClassIdentifier) {
    struct Case {
        QUuid clsid;
        QString title;
        QString doc;
        quint32 helpContext;
    };
    const Case cases[] = {
        {kCLSID_BtnGeneralPropPage, "General", "General Property Page", 5703},
        {kCLSID_BtnAppearancePropPage, "Appearance", "zvBtn Appearance Page", 5700},
        {kCLSID_BtnMarginsPropPage, "Margins", "zvBtn Margins Page", 5707},
        {kCLSID_BtnCellsPropPage, "Cells", "zvBtn Cells Page", 5705},
        {kCLSID_BtnSegmentsPropPage, "Segments", "zvBtn Segments Page", 5706},
        {kCLSID_BlnGeneralPropPage, "General", "zvBln General Page", 6703},
        {kCLSID_BlnAppearancePropPage, "Appearance", "zvBln Appearance Page", 6700},
        {kCLSID_BlnPositionPropPage, "Position", "zvBln Position Page", 6705},
        {kCLSID_BlnTailPropPage, "Tail", "zvBln Tail Page", 6706},
        {kCLSID_BlnTextPropPage, "Text", "zvBln Text Page", 6707},
    };
    ASSERT_EQ(PageClasses().size(), std::size(cases));
    for (const Case& c : cases) {
        auto page = CreatePage(c.clsid);
        ASSERT_NE(page, nullptr) << c.title.toStdString();
        EXPECT_EQ(page->identity().clsid, c.clsid);
        PageInfo info;
        ASSERT_EQ(page->GetPageInfo(&info), PageResult::Ok);
        EXPECT_EQ(info.title, c.title);
        EXPECT_EQ(info.docString, c.doc);
        EXPECT_EQ(info.helpFile, "BtnStavo.hlp");
        EXPECT_EQ(info.helpContext, c.helpContext);
        EXPECT_FALSE(info.size.isEmpty());
    }
    EXPECT_EQ(CreatePage(QUuid("{00000000-0000-0000-0000-000000000001}")), nullptr);
}

}  // namespace
}  // namespace vrn::pp
