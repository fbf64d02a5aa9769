#include "PageFactory.h"

#include "CAssignView.h"
#include "CControllerView.h"
#include "CMiscView.h"
#include "CSelectPresetDlg.h"
#include "CSplitView.h"

#include "app/Strings.h"

QWidget* CreatePage(const QString& tabLabel, CEditorApp& app, CAppDoc& doc, QWidget* parent) {
    if (tabLabel == QLatin1String("Global"))
        return new CMiscView(app, doc, parent);
    if (tabLabel == QLatin1String("Controller"))
        return new CControllerView(app, doc, parent);
    if (tabLabel == presetor::Str(presetor::IDS_TAB_ASSIGNMENTS))
        return new CAssignView(app, doc, parent);
    if (tabLabel.startsWith(QLatin1String("Split "))) {
        const int split = CSplitView::SplitFromLabel(tabLabel);
        if (split >= 0) {
            auto* page = new CSplitView(split, app, doc, parent);
            page->SetSelectPresetFunction(MakeSelectPresetFunction(app));
            return page;
        }
    }
    return nullptr;
}
