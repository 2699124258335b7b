#include "proppages/page_registry.h"

#include "proppages/balloon_pages.h"
#include "proppages/btn_cells_page.h"
#include "proppages/btn_segments_page.h"
#include "proppages/button_pages.h"
#include "proppages/page_ids.h"

namespace vrn::pp {

namespace {

template <typename Page>
std::function<std::unique_ptr<CzvPropPageBase>()> factory() {
    return [] { return std::make_unique<Page>(); };
}

}  // namespace

const std::vector<PageClass>& PageClasses() {
    static const std::vector<PageClass> kClasses{
        {kCLSID_BtnGeneralPropPage, "BtnGeneralPropPage", "zvBtn General Property Page",
         factory<CBtnGeneralPropPage>()},
        {kCLSID_BtnAppearancePropPage, "BtnAppearancePropPage", "zvBtn Appearance Property Page",
         factory<CBtnAppearancePropPage>()},
        {kCLSID_BtnMarginsPropPage, "BtnMarginsPropPage", "BtnMarginsPropPage Class",
         factory<CBtnMarginsPropPage>()},
        {kCLSID_BtnCellsPropPage, "BtnCellsPropPage", "zvBtn Cells Property Page",
         factory<CBtnCellsPropPage>()},
        {kCLSID_BtnSegmentsPropPage, "BtnSegmentPropPage", "zvBtn Segments Property Page",
         factory<CBtnSegmentsPropPage>()},
        {kCLSID_BlnGeneralPropPage, "BlnGeneralPropPage", "zvBln General Property Page",
         factory<CBlnGeneralPropPage>()},
        {kCLSID_BlnAppearancePropPage, "BlnAppearancePropPage", "zvBln Appearance Property Page",
         factory<CBlnAppearancePropPage>()},
        {kCLSID_BlnPositionPropPage, "BlnPositionPropPage", "zvBln Position Property Page",
         factory<CBlnPositionPropPage>()},
        {kCLSID_BlnTailPropPage, "BlnTailPropPage", "zvBln Tail Property Page",
         factory<CBlnTailPropPage>()},
        {kCLSID_BlnTextPropPage, "BlnTextPropPage", "zvBln Text Property Page",
         factory<CBlnTextPropPage>()},
    };
    return kClasses;
}

std::unique_ptr<CzvPropPageBase> CreatePage(const QUuid& clsid) {
    for (const PageClass& pageClass : PageClasses()) {
        if (pageClass.clsid == clsid) {
            return pageClass.create();
        }
    }
    return nullptr;
}

}  // namespace vrn::pp
