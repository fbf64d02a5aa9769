// Makes the editor page for a tab of the main window; main hands this to the main frame as its
// page factory (app/PageFactory.h), so the app layer never includes the pages.
#pragma once

#include <QString>

class CAppDoc;
class CEditorApp;
class QWidget;

// "Global" gives CMiscView, "Controller" CControllerView, "Controller-Assignments"
// CAssignView, "Split 1" .. "Split 8" a CSplitView for the split the label ends in. Any other
// label gives no page (nullptr).
QWidget* CreatePage(const QString& tabLabel, CEditorApp& app, CAppDoc& doc, QWidget* parent);
