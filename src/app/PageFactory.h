// How the main window gets its eleven editor pages without the app layer knowing the page
// classes: main passes a factory that makes the page for a tab label.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
class CEditorApp;
class CAppDoc;

// Makes the page for one tab ("Global", "Controller", "Controller-Assignments", "Split 1" ..
// "Split 8") as a child of parent. A null result leaves that tab out.
using PageFactory = std::function<QWidget*(const QString& tabLabel, CEditorApp& app, CAppDoc& doc,
                                           QWidget* parent)>;

// The eleven tab labels in tab order.
QStringList PageTabLabels();

// A factory that gives every tab an empty page (used until real pages are plugged in).
PageFactory EmptyPageFactory();

// Dialogs of the pages layer that the Options menu runs; an empty one leaves its menu entry
// disabled. Each runs modally over parent and makes its changes itself (defaults: store them
// with CEditorApp::SavePresetDefaults; channels: CEditorApp::channelAssignments).
struct PageDialogs {
    std::function<void(QWidget* parent, CEditorApp& app, CAppDoc& doc)> presetDefaults;
    std::function<void(QWidget* parent, CEditorApp& app, CAppDoc& doc)> channelAssignment;
    // File > Print..., Print Preview... and Export as PDF... (command ID_FILE_PRINT,
    // ID_FILE_PRINT_PREVIEW or ID_FILE_EXPORT_PDF): the printed summary of the current preset or
    // the whole bank. Empty: the three commands stay disabled.
    std::function<void(QWidget* parent, CEditorApp& app, CAppDoc& doc, int command)> print;
};
