// The Presets menu's bank commands: reset, copy, exchange and insert the current preset, link
// and unlink all. Each is one undoable step through the document and updates with hint 1.
#pragma once

class CAppDoc;
class QWidget;

namespace presetor {

void OnResetPreset(QWidget* parent, CAppDoc& doc);
void OnCopyPreset(QWidget* parent, CAppDoc& doc);
void OnExchangePreset(QWidget* parent, CAppDoc& doc);
void OnInsertPreset(QWidget* parent, CAppDoc& doc);
void OnLinkAll(CAppDoc& doc);
void OnUnlinkAll(CAppDoc& doc);

} // namespace presetor
