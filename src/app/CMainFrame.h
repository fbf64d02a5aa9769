// The main window: menus, toolbar and status bar of the command table, the preset list beside
// the page tabs, the File commands with the save prompt and the recent-file list, the keyboard
// switch, and the placement saved on every close request.
#pragma once

#include "LiveEdit.h"
#include "PageFactory.h"
#include "RecentFiles.h"
#include "TransferCommands.h"

#include <QMainWindow>

#include <map>

class CAppDoc;
class CEditorApp;
class CMidiMonitor;
class CPresetView;
class CTabView;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QSplitter;

class CMainFrame final : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CEditorApp& app, CAppDoc& doc, const PageFactory& pages,
               const PageDialogs& dialogs = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of a command number (CommandIds.h), or null.
    QAction* Action(int commandId) const;
    CPresetView* PresetView() const { return presetView; }
    CTabView* TabView() const { return tabView; }
    QLabel* KeyboardIndicatorPane() const { return indicator; }
    CTransferCommands& Transfers() { return transfers; }
    CLiveEdit& LiveEdit() { return liveEdit; }
    RecentFiles& Recent() { return recent; }

    // Applies the stored placement, if any (start-up, before the window is shown).
    void RestorePlacement();
    // Stores the placement (every close request).
    void SavePlacement();

    // When the document is modified: "Save changes to %1?". Yes saves (false if the save did
    // not happen), No discards, Cancel returns false. True when the command may go on.
    bool SaveModified();
    // File > Open of a given file, save prompt first; false when nothing was opened.
    bool OpenFile(const QString& path);
    // Opens a file without a prompt (command line); reports a failure in a message box. A .syx
    // file opens as an untitled document of the keyboard type its dumps name.
    bool OpenFileNoPrompt(const QString& path);
    // File > Export as SysEx... to a given file; reports a failure in a message box.
    bool ExportSysex(const QString& path, bool bulk);
    // Edit > Compare with...: runs the compare dialog against a file or the keyboard's bank.
    void CompareWithFile(const QString& path);
    // The MIDI monitor dock, made when first needed (View > MIDI Monitor, or a saved window
    // state that holds it); hidden when made.
    CMidiMonitor* MidiMonitor();

    // Puts a file first in the recent-file list (a file opened from the command line).
    void AddRecentFile(const QString& path);

    // The commands, as the menus and keys run them.
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnKeyboard(int type);
    void OnLoadAll();
    void OnMidiConnections();
    void OnAbout();
    void OnExportSysex();
    void OnCompareFile();
    void OnCompareKeyboard();

protected:
    void closeEvent(QCloseEvent* event) override;
    // .lmk and .syx files dropped onto the window open (asking to save first).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Settles a key that both a command and a page's mnemonic claim (see ResolveAmbiguousKey).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* MakeAction(int id, const QString& text, const QKeySequence& key = {},
                        const QString& icon = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void UpdateTitle();
    void UpdateCommandStates();
    // The live-edit toggle and its status-bar indicator (hidden while live edit is off).
    void UpdateLiveEditState();
    void RebuildRecentMenu();
    // The window's size at the first start, before any placement is stored.
    QSize FirstSize() const;
    // offerSaveAs: a plain Save, which offers Save As when the file is read-only.
    bool SaveTo(const QString& path, bool offerSaveAs);
    // A key claimed by more than one owner in this window: a command's shortcut wins over a
    // page's mnemonic (Alt+C copies also on the Global page with its "Midi-&Clock:"), and a
    // page's mnemonic wins over a menu title ("&Presetswitch:" before "&Presets"). True when
    // the key was handled.
    bool ResolveAmbiguousKey(QObject* receiver, const QKeySequence& key);

    CEditorApp& app;
    CAppDoc& doc;
    PageDialogs pageDialogs;
    RecentFiles recent;
    CTransferCommands transfers;
    CLiveEdit liveEdit;
    std::map<int, QAction*> actions;
    QActionGroup* keyboardGroup = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* recentSeparator = nullptr;
    QList<QAction*> recentActions;
    QSplitter* splitter = nullptr;
    CPresetView* presetView = nullptr;
    CTabView* tabView = nullptr;
    QLabel* indicator = nullptr;
    QLabel* liveEditIndicator = nullptr;
    QToolBar* toolBar = nullptr;
    CMidiMonitor* monitor = nullptr;
};
