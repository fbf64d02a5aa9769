// The Presets menu's transfers with the keyboard: load and send all presets (in the progress
// dialog), load and send the current preset or the edit memory, and store in EEPROM (LMK4).
// They report through the program's message boxes and change the bank only through the
// document.
#pragma once

class CAppDoc;
class CEditorApp;
class QStatusBar;
class QWidget;

class CTransferCommands {
public:
    // statusBar may be null; it shows texts 143 and 144 while Load all / Send all run.
    CTransferCommands(CEditorApp& app, CAppDoc& doc, QWidget* parent, QStatusBar* statusBar);

    // Receives into a copy: only a complete load replaces the bank (asking first when presets
    // arrived with wrong checksums). Returns true when the bank was replaced.
    bool OnLoadAll();
    // Marks the document not modified when every message went out.
    bool OnSendAll();
    bool OnLoadPreset();
    bool OnSendPreset();
    bool OnLoadEditMemory();
    bool OnSendEditMemory();
    bool OnSaveEeprom();

    void SetStatusBar(QStatusBar* bar) { statusBar = bar; }

private:
    bool LoadOne(bool editMemory);
    bool SendOne(bool editMemory);

    CEditorApp& app;
    CAppDoc& doc;
    QWidget* parent;
    QStatusBar* statusBar;
};
