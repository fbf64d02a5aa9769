<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Presetor</source>
        <translation>Über Presetor</translation>
    </message>
    <message>
        <source>Editor for the Masterkeyboards LMK3/3+ and LMK4/4+</source>
        <translation>Editor für die Masterkeyboards LMK3/3+ und LMK4/4+</translation>
    </message>
    <message>
        <source>Built with Qt %1 and RtMidi.</source>
        <translation>Erstellt mit Qt %1 und RtMidi.</translation>
    </message>
    <message>
        <source>Version %1.%2.%3 (Build %4)</source>
        <translation>Version %1.%2.%3 (Build %4)</translation>
    </message>
</context>
<context>
    <name>CAppDoc</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>CAssignView</name>
    <message>
        <source>Wheel1</source>
        <translation>Rad 1</translation>
    </message>
    <message>
        <source>Wheel2</source>
        <translation>Rad 2</translation>
    </message>
    <message>
        <source>Slider 1:</source>
        <translation>Schieberegler 1:</translation>
    </message>
    <message>
        <source>Slider 2:</source>
        <translation>Schieberegler 2:</translation>
    </message>
    <message>
        <source>Data Entry:</source>
        <translation>Data Entry:</translation>
    </message>
    <message>
        <source>Aftertouch:</source>
        <translation>Aftertouch:</translation>
    </message>
    <message>
        <source>Ext.Ctrl. 1:</source>
        <translation>Ext. Ctrl. 1:</translation>
    </message>
    <message>
        <source>Ext Ctrl 2:</source>
        <translation>Ext. Ctrl. 2:</translation>
    </message>
    <message>
        <source>Ext. Schalter 1:</source>
        <translation>Ext. Schalter 1:</translation>
    </message>
    <message>
        <source>Ext. Schalter 2:</source>
        <translation>Ext. Schalter 2:</translation>
    </message>
    <message>
        <source>Pitch</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>Aftertouch</source>
        <translation>Aftertouch</translation>
    </message>
    <message>
        <source>Modulation</source>
        <translation>Modulation</translation>
    </message>
    <message>
        <source>Breath-Controller</source>
        <translation>Breath-Controller</translation>
    </message>
    <message>
        <source>Portamento-Time</source>
        <translation>Portamento-Time</translation>
    </message>
    <message>
        <source>Data-Entry</source>
        <translation>Data-Entry</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>Panorama</translation>
    </message>
    <message>
        <source>Sustain</source>
        <translation>Sustain</translation>
    </message>
    <message>
        <source>Portamento On/Off</source>
        <translation>Portamento On/Off</translation>
    </message>
    <message>
        <source>Sostenuto (Haltefunktion ohne Abklingen)</source>
        <translation>Sostenuto (Haltefunktion ohne Abklingen)</translation>
    </message>
    <message>
        <source>Softpedal (Dämpferpedal beim Piano)</source>
        <translation>Softpedal (Dämpferpedal beim Piano)</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Legato On/Off</source>
        <translation>Legato On/Off</translation>
    </message>
    <message>
        <source>Hold 2 (zweites Haltepedal)</source>
        <translation>Hold 2 (zweites Haltepedal)</translation>
    </message>
    <message>
        <source>FR4 (was immer das ist)</source>
        <translation>FR4 (was immer das ist)</translation>
    </message>
    <message>
        <source>Benutzerdef. Controller %1</source>
        <translation>Benutzerdef. Controller %1</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <source>Split:</source>
        <translation>Split:</translation>
    </message>
    <message>
        <source>%1 split %2</source>
        <translation>%1 Split %2</translation>
    </message>
    <message>
        <source>All on</source>
        <translation>Alle an</translation>
    </message>
    <message>
        <source>All off</source>
        <translation>Alle aus</translation>
    </message>
    <message>
        <source>All on in active splits</source>
        <translation>Alle an in aktiven Splits</translation>
    </message>
    <message>
        <source>All off in inactive splits</source>
        <translation>Alle aus in inaktiven Splits</translation>
    </message>
    <message>
        <source>CTR1:</source>
        <translation>CTR1:</translation>
    </message>
    <message>
        <source>CTR2:</source>
        <translation>CTR2:</translation>
    </message>
    <message>
        <source>CTR3:</source>
        <translation>CTR3:</translation>
    </message>
    <message>
        <source>Controller-Assignments</source>
        <translation>Controller-Zuordnungen</translation>
    </message>
</context>
<context>
    <name>CChannelAssignDlg</name>
    <message>
        <source>&amp;Assign</source>
        <translation>&amp;Zuordnen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>MIDI-Channel-Assignment</source>
        <translation>MIDI-Kanal-Zuordnung</translation>
    </message>
</context>
<context>
    <name>CControllerView</name>
    <message>
        <source>&amp;Wheel 1:</source>
        <translation>Rad &amp;1:</translation>
    </message>
    <message>
        <source>W&amp;heel 2:</source>
        <translation>Rad &amp;2:</translation>
    </message>
    <message>
        <source>&amp;Slide 1:</source>
        <translation>&amp;Schieberegler 1:</translation>
    </message>
    <message>
        <source>S&amp;lide 2:</source>
        <translation>Sc&amp;hieberegler 2:</translation>
    </message>
    <message>
        <source>&amp;Data Entry:</source>
        <translation>&amp;Data Entry:</translation>
    </message>
    <message>
        <source>&amp;Aftertouch:</source>
        <translation>&amp;Aftertouch:</translation>
    </message>
    <message>
        <source>&amp;Extern Controller 1:</source>
        <translation>&amp;Externer Controller 1:</translation>
    </message>
    <message>
        <source>E&amp;xtern Controller 2:</source>
        <translation>E&amp;xterner Controller 2:</translation>
    </message>
    <message>
        <source>Ex&amp;tern Switch 1:</source>
        <translation>Ex&amp;terner Schalter 1:</translation>
    </message>
    <message>
        <source>Exte&amp;rn Switch 2:</source>
        <translation>Exte&amp;rner Schalter 2:</translation>
    </message>
    <message>
        <source>Assignment variable Controller</source>
        <translation>Zuordnung stufenlose Controller</translation>
    </message>
    <message>
        <source>Controller function</source>
        <translation>Controller-Funktion</translation>
    </message>
    <message>
        <source>Assignment switching Controller</source>
        <translation>Zuordnung schaltende Controller</translation>
    </message>
    <message>
        <source>Switch function</source>
        <translation>Schalterfunktion</translation>
    </message>
    <message>
        <source>Userdefined Controller</source>
        <translation>Benutzerdefinierte Controller</translation>
    </message>
    <message>
        <source>Ctrl&amp;%1:</source>
        <translation>Ctrl&amp;%1:</translation>
    </message>
    <message>
        <source>Slider 1:</source>
        <translation>Schieberegler 1:</translation>
    </message>
    <message>
        <source>CTR1:</source>
        <translation>CTR1:</translation>
    </message>
    <message>
        <source>Slider 2:</source>
        <translation>Schieberegler 2:</translation>
    </message>
    <message>
        <source>CTR2:</source>
        <translation>CTR2:</translation>
    </message>
    <message>
        <source>Data Entry:</source>
        <translation>Data Entry:</translation>
    </message>
    <message>
        <source>CTR3:</source>
        <translation>CTR3:</translation>
    </message>
</context>
<context>
    <name>CDestinationPresetDlg</name>
    <message>
        <source>Select Destination-Preset</source>
        <translation>Ziel-Preset wählen</translation>
    </message>
</context>
<context>
    <name>CKeyboardSelectDlg</name>
    <message>
        <source>Select Masterkeyboard</source>
        <translation>Masterkeyboard wählen</translation>
    </message>
    <message>
        <source>Please choose which  Masterkeyboard you want to configure now.</source>
        <translation>Bitte wählen Sie, welches Masterkeyboard Sie jetzt einstellen möchten.</translation>
    </message>
    <message>
        <source>If you want to change this setting at runtime, you can do this in menu Options/Keyboard. You can find the actual setting in the Statusbar of this program.</source>
        <translation>Diese Einstellung können Sie später im Menü Optionen/Keyboard ändern. Die aktuelle Einstellung sehen Sie in der Statusleiste dieses Programms.</translation>
    </message>
    <message>
        <source>LMK3 Version 4.xx</source>
        <translation>LMK3 Version 4.xx</translation>
    </message>
    <message>
        <source>LMK4 und LMK4+</source>
        <translation>LMK4 und LMK4+</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;all...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>Load &amp;All Presets</source>
        <translation>&amp;Alle Presets laden</translation>
    </message>
    <message>
        <source>Send All &amp;Presets</source>
        <translation>Alle Presets &amp;senden</translation>
    </message>
    <message>
        <source>&amp;Load this Preset</source>
        <translation>Dieses Preset &amp;laden</translation>
    </message>
    <message>
        <source>&amp;Send this Preset</source>
        <translation>Dieses Preset s&amp;enden</translation>
    </message>
    <message>
        <source>Load this Preset from Ed&amp;it-Memory</source>
        <translation>Dieses Preset aus dem Ed&amp;it-Speicher laden</translation>
    </message>
    <message>
        <source>Send this Preset to Edit-&amp;Memory</source>
        <translation>Dieses Preset in den Edit-Spei&amp;cher senden</translation>
    </message>
    <message>
        <source>Reset this Preset to &amp;Default</source>
        <translation>Dieses Preset auf &amp;Grundeinstellung zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;Copy this Preset</source>
        <translation>Dieses Preset &amp;kopieren</translation>
    </message>
    <message>
        <source>E&amp;xchange this Preset with another</source>
        <translation>Dieses Preset mit einem anderen &amp;tauschen</translation>
    </message>
    <message>
        <source>Insert this Preset</source>
        <translation>Dieses Preset einfügen</translation>
    </message>
    <message>
        <source>Save all Presets in &amp;EEPROM</source>
        <translation>Alle Presets im &amp;EEPROM speichern</translation>
    </message>
    <message>
        <source>Link all Presets</source>
        <translation>Alle Presets verketten</translation>
    </message>
    <message>
        <source>Unlink all Presets</source>
        <translation>Verkettung aller Presets lösen</translation>
    </message>
    <message>
        <source>&amp;MIDI-Connections...</source>
        <translation>&amp;MIDI-Verbindungen...</translation>
    </message>
    <message>
        <source>&amp;Preset-Default-Settings...</source>
        <translation>&amp;Preset-Grundeinstellungen...</translation>
    </message>
    <message>
        <source>MIDI-Channel-Assignment</source>
        <translation>MIDI-Kanal-Zuordnung</translation>
    </message>
    <message>
        <source>LMK3-Keyboard</source>
        <translation>LMK3-Keyboard</translation>
    </message>
    <message>
        <source>LMK4/4+ Keyboard</source>
        <translation>LMK4/4+ Keyboard</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>S&amp;tatusleiste</translation>
    </message>
    <message>
        <source>&amp;About Presetor...</source>
        <translation>&amp;Über Presetor...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Presets</source>
        <translation>&amp;Presets</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>%1[*] - Presetor</source>
        <translation>%1[*] - Presetor</translation>
    </message>
    <message>
        <source>Letzte Datei</source>
        <translation>Letzte Datei</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
</context>
<context>
    <name>CMidiConnectionsDlg</name>
    <message>
        <source>MIDI-Connections</source>
        <translation>MIDI-Verbindungen</translation>
    </message>
    <message>
        <source>Transfer all Preset once</source>
        <translation>Alle Presets in einem Stück übertragen</translation>
    </message>
    <message>
        <source>Please use this option only, if the data-transfer works without any problems. Sometimes there may be problems with transferring a great amount of data.</source>
        <translation>Bitte nutzen Sie diese Option nur, wenn die Datenübertragung ohne Probleme funktioniert. Bei großen Datenmengen kann es manchmal Probleme bei der Übertragung geben.</translation>
    </message>
    <message>
        <source> ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Pause between two messages sent preset by preset, for slow MIDI interfaces.</source>
        <translation>Pause zwischen zwei Nachrichten, wenn Preset für Preset gesendet wird; für langsame MIDI-Interfaces.</translation>
    </message>
    <message>
        <source>MIDI-IN:</source>
        <translation>MIDI-IN:</translation>
    </message>
    <message>
        <source>MIDI-OUT:</source>
        <translation>MIDI-OUT:</translation>
    </message>
    <message>
        <source>Pause between messages:</source>
        <translation>Pause zwischen Nachrichten:</translation>
    </message>
</context>
<context>
    <name>CMiscView</name>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Link to Preset:</source>
        <translation>&amp;Link zum Preset:</translation>
    </message>
    <message>
        <source>Presetswitch:</source>
        <translation>Presetumschaltung:</translation>
    </message>
    <message>
        <source>MIDI-&amp;Masterchannel:</source>
        <translation>MIDI-&amp;Masterkanal:</translation>
    </message>
    <message>
        <source>Realtime</source>
        <translation>Echtzeit</translation>
    </message>
    <message>
        <source>Midi-&amp;Clock:</source>
        <translation>Midi-&amp;Clock:</translation>
    </message>
    <message>
        <source>BpM</source>
        <translation>BpM</translation>
    </message>
    <message>
        <source>&amp;Real-Time-Mode:</source>
        <translation>&amp;Echtzeit-Modus:</translation>
    </message>
    <message>
        <source>Link to Preset</source>
        <translation>Link zum Preset</translation>
    </message>
    <message>
        <source>MIDI-Masterchannel</source>
        <translation>MIDI-Masterkanal</translation>
    </message>
    <message>
        <source>Midi-Clock</source>
        <translation>Midi-Clock</translation>
    </message>
    <message>
        <source>Real-Time-Mode</source>
        <translation>Echtzeit-Modus</translation>
    </message>
    <message>
        <source>Presetswitch</source>
        <translation>Presetumschaltung</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>CPresetView</name>
    <message>
        <source>Copy Preset %1 to %2</source>
        <translation>Preset %1 nach %2 kopieren</translation>
    </message>
</context>
<context>
    <name>CPropertyPageOption1</name>
    <message>
        <source>&amp;Set to self</source>
        <translation>&amp;Auf sich selbst setzen</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Link to Preset:</source>
        <translation>&amp;Link zum Preset:</translation>
    </message>
    <message>
        <source>&amp;Midi-Masterchannel:</source>
        <translation>&amp;Midi-Masterkanal:</translation>
    </message>
    <message>
        <source>&amp;Presetswitch:</source>
        <translation>&amp;Presetumschaltung:</translation>
    </message>
    <message>
        <source>Midi-&amp;Clock:</source>
        <translation>Midi-&amp;Clock:</translation>
    </message>
    <message>
        <source>&amp;Real-Time-Mode:</source>
        <translation>&amp;Echtzeit-Modus:</translation>
    </message>
</context>
<context>
    <name>CPropertyPageOption2</name>
    <message>
        <source>Wheel 1:</source>
        <translation>Rad 1:</translation>
    </message>
    <message>
        <source>Wheel 2:</source>
        <translation>Rad 2:</translation>
    </message>
    <message>
        <source>Slider 1:</source>
        <translation>Schieberegler 1:</translation>
    </message>
    <message>
        <source>CTR1:</source>
        <translation>CTR1:</translation>
    </message>
    <message>
        <source>Slider 2:</source>
        <translation>Schieberegler 2:</translation>
    </message>
    <message>
        <source>CTR2:</source>
        <translation>CTR2:</translation>
    </message>
    <message>
        <source>Data Entry:</source>
        <translation>Data Entry:</translation>
    </message>
    <message>
        <source>CTR3:</source>
        <translation>CTR3:</translation>
    </message>
    <message>
        <source>Aftertouch:</source>
        <translation>Aftertouch:</translation>
    </message>
    <message>
        <source>Extern Controller 1:</source>
        <translation>Externer Controller 1:</translation>
    </message>
    <message>
        <source>Extern Controller 2:</source>
        <translation>Externer Controller 2:</translation>
    </message>
    <message>
        <source>Assignment variable Controller</source>
        <translation>Zuordnung stufenlose Controller</translation>
    </message>
    <message>
        <source>Assignment switching Controller</source>
        <translation>Zuordnung schaltende Controller</translation>
    </message>
    <message>
        <source>Extern Switch %1:</source>
        <translation>Externer Schalter %1:</translation>
    </message>
</context>
<context>
    <name>CPropertySheetOptions</name>
    <message>
        <source>Preset-Default-Settings</source>
        <translation>Preset-Grundeinstellungen</translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Controller</source>
        <translation>Controller</translation>
    </message>
</context>
<context>
    <name>CSelectPresetDlg</name>
    <message>
        <source>N&amp;ame</source>
        <translation>N&amp;ame</translation>
    </message>
    <message>
        <source>N&amp;umber</source>
        <translation>N&amp;ummer</translation>
    </message>
    <message>
        <source>Select Preset</source>
        <translation>Preset wählen</translation>
    </message>
    <message>
        <source>MSB:</source>
        <translation>MSB:</translation>
    </message>
    <message>
        <source>LSB:</source>
        <translation>LSB:</translation>
    </message>
    <message>
        <source>No:</source>
        <translation>Nr.:</translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation>Sortieren nach</translation>
    </message>
</context>
<context>
    <name>CSplitView</name>
    <message>
        <source>Keyboard</source>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>&amp;Split activ</source>
        <translation>&amp;Split aktiv</translation>
    </message>
    <message>
        <source>Click with the mouse inside the keyboard to mark the split</source>
        <translation>Klicken Sie mit der Maus in die Tastatur, um den Split zu markieren</translation>
    </message>
    <message>
        <source>from</source>
        <translation>von</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Transpose</source>
        <translation>Transponieren</translation>
    </message>
    <message>
        <source>&amp;Transpose by</source>
        <translation>&amp;Transponieren um</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Halbtöne</translation>
    </message>
    <message>
        <source>&amp;+1 Octave</source>
        <translation>&amp;+1 Oktave</translation>
    </message>
    <message>
        <source>&amp;-1 Octave</source>
        <translation>&amp;-1 Oktave</translation>
    </message>
    <message>
        <source>MIDI-Channel</source>
        <translation>MIDI-Kanal</translation>
    </message>
    <message>
        <source>MIDI-&amp;Channel</source>
        <translation>MIDI-&amp;Kanal</translation>
    </message>
    <message>
        <source>IN - intern Keyboard of the LMK4</source>
        <translation>IN - interne Tastatur des LMK4</translation>
    </message>
    <message>
        <source>EA - extern MIDI-In, ALL-Modus</source>
        <translation>EA - externer MIDI-In, ALL-Modus</translation>
    </message>
    <message>
        <source>EO - extern MIDI-In, OMNI-Modus</source>
        <translation>EO - externer MIDI-In, OMNI-Modus</translation>
    </message>
    <message>
        <source>EM - extern MIDI-In, MONO-Modus</source>
        <translation>EM - externer MIDI-In, MONO-Modus</translation>
    </message>
    <message>
        <source>Midi Out 1</source>
        <translation>Midi Out 1</translation>
    </message>
    <message>
        <source>Midi Out 2</source>
        <translation>Midi Out 2</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>&amp;activ</source>
        <translation>&amp;aktiv</translation>
    </message>
    <message>
        <source>Max. &amp;Volume:</source>
        <translation>Max. &amp;Lautstärke:</translation>
    </message>
    <message>
        <source>Program Change</source>
        <translation>Programmwechsel</translation>
    </message>
    <message>
        <source>act&amp;iv</source>
        <translation>akt&amp;iv</translation>
    </message>
    <message>
        <source>&amp;Programm-Nr:</source>
        <translation>&amp;Programm-Nr.:</translation>
    </message>
    <message>
        <source>Controller &amp;0 (MSB):</source>
        <translation>Controller &amp;0 (MSB):</translation>
    </message>
    <message>
        <source>Controller &amp;32 (LSB):</source>
        <translation>Controller &amp;32 (LSB):</translation>
    </message>
    <message>
        <source>Select Preset ...</source>
        <translation>Preset wählen ...</translation>
    </message>
    <message>
        <source>Aftertouch</source>
        <translation>Aftertouch</translation>
    </message>
    <message>
        <source>Velocity</source>
        <translation>Anschlagdynamik</translation>
    </message>
    <message>
        <source>On a slow velocity a dynamic value of 1 will be send. This is for sounds like organs.</source>
        <translation>Bei langsamem Anschlag wird der Dynamikwert 1 gesendet. Das passt für Klänge wie Orgeln.</translation>
    </message>
    <message>
        <source>On a slow velocity a dynamic value of 0 will be send. This is for precussive sounds like pianos.</source>
        <translation>Bei langsamem Anschlag wird der Dynamikwert 0 gesendet. Das passt für perkussive Klänge wie Klaviere.</translation>
    </message>
    <message>
        <source>Note source</source>
        <translation>Notenquelle</translation>
    </message>
    <message>
        <source>Volume on/off</source>
        <translation>Lautstärke an/aus</translation>
    </message>
    <message>
        <source>Program change on/off</source>
        <translation>Programmwechsel an/aus</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Bank MSB</source>
        <translation>Bank MSB</translation>
    </message>
    <message>
        <source>Bank LSB</source>
        <translation>Bank LSB</translation>
    </message>
    <message>
        <source>Picking a sound by name is not available yet.</source>
        <translation>Die Auswahl eines Klangs nach Namen ist noch nicht verfügbar.</translation>
    </message>
    <message>
        <source>Split on</source>
        <translation>Split an</translation>
    </message>
    <message>
        <source>Split off</source>
        <translation>Split aus</translation>
    </message>
    <message>
        <source>Lower key</source>
        <translation>Untere Taste</translation>
    </message>
    <message>
        <source>Upper key</source>
        <translation>Obere Taste</translation>
    </message>
    <message>
        <source>Key range</source>
        <translation>Tastenbereich</translation>
    </message>
    <message>
        <source>+1 Octave</source>
        <translation>+1 Oktave</translation>
    </message>
    <message>
        <source>-1 Octave</source>
        <translation>-1 Oktave</translation>
    </message>
    <message>
        <source>Aftertouch curve</source>
        <translation>Aftertouch-Kurve</translation>
    </message>
    <message>
        <source>Velocity curve</source>
        <translation>Anschlagkurve</translation>
    </message>
    <message>
        <source>Select Preset</source>
        <translation>Preset wählen</translation>
    </message>
</context>
<context>
    <name>CTransferDlg</name>
    <message>
        <source>Loading Data from LMK-Masterkeyboard</source>
        <translation>Daten vom LMK-Masterkeyboard laden</translation>
    </message>
    <message>
        <source>Sending Data to LMK-Masterkeyboard</source>
        <translation>Daten an das LMK-Masterkeyboard senden</translation>
    </message>
</context>
<context>
    <name>FunctionNames</name>
    <message>
        <source>Userdefined Controller %1</source>
        <translation>Benutzerdefinierter Controller %1</translation>
    </message>
    <message>
        <source>activ / Out 1 and 2</source>
        <translation>aktiv / Out 1 und 2</translation>
    </message>
    <message>
        <source>activ / Out 1</source>
        <translation>aktiv / Out 1</translation>
    </message>
    <message>
        <source>activ / Out 2</source>
        <translation>aktiv / Out 2</translation>
    </message>
    <message>
        <source>not activ / Out 1 and 2</source>
        <translation>nicht aktiv / Out 1 und 2</translation>
    </message>
    <message>
        <source>No Realtime-Command at Preset-Call</source>
        <translation>Kein Echtzeit-Befehl bei Presetaufruf</translation>
    </message>
    <message>
        <source>Start-Command at Preset-Call</source>
        <translation>Start-Befehl bei Presetaufruf</translation>
    </message>
    <message>
        <source>Stop-Command at Preset-Call</source>
        <translation>Stop-Befehl bei Presetaufruf</translation>
    </message>
    <message>
        <source>Continue-Command at Preset-Call</source>
        <translation>Continue-Befehl bei Presetaufruf</translation>
    </message>
</context>
<context>
    <name>Presetor</name>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Send Preset %1 of %2.</source>
        <translation>Sende Preset %1 von %2.</translation>
    </message>
    <message>
        <source>No data received. Please check Cables and Midi-Connections.</source>
        <translation>Keine Daten empfangen. Bitte prüfen Sie Kabel und MIDI-Verbindungen.</translation>
    </message>
    <message>
        <source>No data send. Please check cables and MIDI-Connections.</source>
        <translation>Keine Daten gesendet. Bitte prüfen Sie Kabel und MIDI-Verbindungen.</translation>
    </message>
    <message>
        <source>Invalid File-Type. This file is not a LMK-Preset-File.</source>
        <translation>Ungültiger Dateityp. Diese Datei ist keine LMK-Preset-Datei.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>No Sounds available.</source>
        <translation>Keine Klänge verfügbar.</translation>
    </message>
    <message>
        <source>Because no .sound-Files</source>
        <translation>Es wurden keine .sound-Dateien</translation>
    </message>
    <message>
        <source>could be found.</source>
        <translation>gefunden.</translation>
    </message>
    <message>
        <source>Are you sure to reset this Preset to it&apos;s default settings?</source>
        <translation>Soll dieses Preset wirklich auf seine Grundeinstellungen zurückgesetzt werden?</translation>
    </message>
    <message>
        <source>Please choose the preset which should be overwritten.</source>
        <translation>Bitte wählen Sie das Preset, das überschrieben werden soll.</translation>
    </message>
    <message>
        <source>Please choose the Preset to exchange with.</source>
        <translation>Bitte wählen Sie das Preset, mit dem getauscht werden soll.</translation>
    </message>
    <message>
        <source>Please wait with further transmissions to/from the LMK4, until all Preset has been copied to the EEProm. Normally it takes abourt 2 minutes.</source>
        <translation>Bitte warten Sie mit weiteren Übertragungen zum oder vom LMK4, bis alle Presets ins EEPROM kopiert sind. Das dauert normalerweise etwa 2 Minuten.</translation>
    </message>
    <message>
        <source>Load Preset from LMK</source>
        <translation>Lade Presets vom LMK</translation>
    </message>
    <message>
        <source>Save Presets to LMK.</source>
        <translation>Sende Presets an das LMK.</translation>
    </message>
    <message>
        <source>%1 Bytes of %2 Bytes transmitted.</source>
        <translation>%1 Bytes von %2 Bytes übertragen.</translation>
    </message>
    <message>
        <source>You want to change the Type of Keyboard.<byte value="xd"/>
 Any Data that are not saved now will be lost. Do you want to change the Type of Keyboard now?</source>
        <translation>Sie möchten den Keyboard-Typ wechseln.<byte value="xd"/>
 Alle Daten, die jetzt nicht gespeichert sind, gehen verloren. Möchten Sie den Keyboard-Typ jetzt wechseln?</translation>
    </message>
    <message>
        <source>LMK4/4+</source>
        <translation>LMK4/4+</translation>
    </message>
    <message>
        <source>Controller-Assignments</source>
        <translation>Controller-Zuordnungen</translation>
    </message>
    <message>
        <source>MIDI-Channel</source>
        <translation>MIDI-Kanal</translation>
    </message>
    <message>
        <source>Assignment</source>
        <translation>Zuordnung</translation>
    </message>
    <message>
        <source>All Presets are transferred ti the LMK4. Now saving the presets into the EEProm. It may take about 2 minutes to do this. Please wait until the operation is finished.</source>
        <translation>Alle Presets sind zum LMK4 übertragen. Jetzt werden die Presets im EEPROM gespeichert. Das kann etwa 2 Minuten dauern. Bitte warten Sie, bis der Vorgang abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Please choose the preset where the new should be inserted.</source>
        <translation>Bitte wählen Sie das Preset, an dessen Stelle das neue eingefügt werden soll.</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>No keys marked</source>
        <translation>Keine Tasten markiert</translation>
    </message>
    <message>
        <source>Key range</source>
        <translation>Tastenbereich</translation>
    </message>
    <message>
        <source>Curve %1</source>
        <translation>Kurve %1</translation>
    </message>
    <message>
        <source>Aftertouch curves</source>
        <translation>Aftertouch-Kurven</translation>
    </message>
    <message>
        <source>Velocity curves</source>
        <translation>Anschlagkurven</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>Linked preset</source>
        <translation>Verknüpftes Preset</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>Neues Dokument anlegen
Neu</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Vorhandenes Dokument öffnen
Öffnen</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>Aktives Dokument speichern
Speichern</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>Aktives Dokument unter neuem Namen speichern
Speichern unter</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Programm beenden; fragt, ob Dokumente gespeichert werden sollen
Beenden</translation>
    </message>
    <message>
        <source>Load all Presets
Load all Presets (F2)</source>
        <translation>Alle Presets laden
Alle Presets laden (F2)</translation>
    </message>
    <message>
        <source>Send all Presets to the LMK
Send all Presets to the LMK (F3)</source>
        <translation>Alle Presets an das LMK senden
Alle Presets an das LMK senden (F3)</translation>
    </message>
    <message>
        <source>Only load this Preset from the LMK
Only load this Preset (F4)</source>
        <translation>Nur dieses Preset vom LMK laden
Nur dieses Preset laden (F4)</translation>
    </message>
    <message>
        <source>Only send this Preset to the LMK
Only send this Preset (F5)</source>
        <translation>Nur dieses Preset an das LMK senden
Nur dieses Preset senden (F5)</translation>
    </message>
    <message>
        <source>Load this Preset from Edit-Memory
Load this Preset from Edit-Memory (F6)</source>
        <translation>Dieses Preset aus dem Edit-Speicher laden
Dieses Preset aus dem Edit-Speicher laden (F6)</translation>
    </message>
    <message>
        <source>Send this Preset to Edit-Memory
Send this Preset to Edit-Memory (F7)</source>
        <translation>Dieses Preset in den Edit-Speicher senden
Dieses Preset in den Edit-Speicher senden (F7)</translation>
    </message>
    <message>
        <source>Reset this Preset to Default.
Reset (F8)</source>
        <translation>Dieses Preset auf Grundeinstellung zurücksetzen.
Zurücksetzen (F8)</translation>
    </message>
    <message>
        <source>Copy this Preset
Copy</source>
        <translation>Dieses Preset kopieren
Kopieren</translation>
    </message>
    <message>
        <source>Exchange this Preset with another
Exchange</source>
        <translation>Dieses Preset mit einem anderen tauschen
Tauschen</translation>
    </message>
    <message>
        <source>Insert this Preset
Insert this Preset</source>
        <translation>Dieses Preset einfügen
Dieses Preset einfügen</translation>
    </message>
    <message>
        <source>Presets im EEPROM speichern (nur LMK4)
Presets im EEPROM speichern</source>
        <translation>Presets im EEPROM speichern (nur LMK4)
Presets im EEPROM speichern</translation>
    </message>
    <message>
        <source>Link all Presets
Link all Presets</source>
        <translation>Alle Presets verketten
Alle Presets verketten</translation>
    </message>
    <message>
        <source>Unlink all Presets
Unlink all Presets</source>
        <translation>Verkettung aller Presets lösen
Verkettung aller Presets lösen</translation>
    </message>
    <message>
        <source>Choose the MIDI-Connections.
MIDI-Connections</source>
        <translation>MIDI-Verbindungen wählen.
MIDI-Verbindungen</translation>
    </message>
    <message>
        <source>Set the Preset-Default-Settings.
Preset-Default-Settings</source>
        <translation>Preset-Grundeinstellungen festlegen.
Preset-Grundeinstellungen</translation>
    </message>
    <message>
        <source>MIDI-Channel-Assignment
MIDI-Channel-Assignment</source>
        <translation>MIDI-Kanal-Zuordnung
MIDI-Kanal-Zuordnung</translation>
    </message>
    <message>
        <source>All Settings are for the LMK3/3+
LMK3/3+</source>
        <translation>Alle Einstellungen gelten für das LMK3/3+
LMK3/3+</translation>
    </message>
    <message>
        <source>All Settings are for the LMK4/4+
LMK4/4+</source>
        <translation>Alle Einstellungen gelten für das LMK4/4+
LMK4/4+</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Symbolleiste ein- oder ausblenden
Symbolleiste ein/aus</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Statusleiste ein- oder ausblenden
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen
Über</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>Aktives Dokument drucken
Drucken</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>Letzte Aktion rückgängig machen
Rückgängig</translation>
    </message>
    <message>
        <source>Redo the previously undone action
Redo</source>
        <translation>Zuletzt rückgängig gemachte Aktion wiederherstellen
Wiederherstellen</translation>
    </message>
    <message>
        <source>Searched for files ending in .sounds in:</source>
        <translation>Nach Dateien mit der Endung .sounds gesucht in:</translation>
    </message>
    <message>
        <source>The keyboard stopped answering: %1 of %2 presets arrived (%3 of %4 bytes). Nothing was changed.</source>
        <translation>Das Keyboard antwortet nicht mehr: %1 von %2 Presets sind angekommen (%3 von %4 Bytes). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>No complete dump arrived within %1 s (%2 of %3 bytes seen). Please check Cables and Midi-Connections. Nothing was changed.</source>
        <translation>Innerhalb von %1 s kam kein vollständiger Dump an (%2 von %3 Bytes empfangen). Bitte prüfen Sie Kabel und MIDI-Verbindungen. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The keyboard&apos;s dump arrived damaged (%1 of %2 bytes). Nothing was changed.</source>
        <translation>Der Dump des Keyboards kam beschädigt an (%1 von %2 Bytes). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The keyboard answered as an %1, but an %2 is selected. Switch to %1?</source>
        <translation>Das Keyboard hat sich als %1 gemeldet, ausgewählt ist aber %2. Zu %1 wechseln?</translation>
    </message>
    <message>
        <source>These presets arrived damaged: %1.

Retry them asks the keyboard for just these presets again. Keep takes the received data as it is. Discard leaves everything as it was.</source>
        <translation>Diese Presets kamen beschädigt an: %1.

Erneut anfordern fordert nur diese Presets noch einmal vom Keyboard an. Behalten übernimmt die empfangenen Daten so, wie sie sind. Verwerfen lässt alles, wie es war.</translation>
    </message>
    <message>
        <source>Retry them</source>
        <translation>Erneut anfordern</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>All %1 presets verified.</source>
        <translation>Alle %1 Presets geprüft.</translation>
    </message>
    <message>
        <source>Verification failed: these presets differ on the keyboard: %1</source>
        <translation>Prüfung fehlgeschlagen: Diese Presets weichen auf dem Keyboard ab: %1</translation>
    </message>
    <message>
        <source>Verification failed: the keyboard did not send the presets back. %1</source>
        <translation>Prüfung fehlgeschlagen: Das Keyboard hat die Presets nicht zurückgesendet. %1</translation>
    </message>
    <message>
        <source>The LMK4 was not told to store the presets in its EEPROM.</source>
        <translation>Das LMK4 wurde nicht angewiesen, die Presets in seinem EEPROM zu speichern.</translation>
    </message>
    <message>
        <source>All presets were sent to the LMK4. MIDI does not confirm receipt; turn on Verify after Send all in the MIDI-Connections to check. If the keyboard received them, it is now saving them into the EEProm, which takes about 2 minutes. Please wait until the operation is finished.</source>
        <translation>Alle Presets wurden an das LMK4 gesendet. MIDI bestätigt den Empfang nicht; zur Kontrolle schalten Sie in den MIDI-Verbindungen das Prüfen nach dem Senden aller Presets ein. Wenn das Keyboard sie empfangen hat, speichert es sie jetzt im EEProm, was etwa 2 Minuten dauert. Bitte warten Sie, bis der Vorgang abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Loaded %1 presets from %2 in %3 s</source>
        <translation>%1 Presets in %3 s von %2 geladen</translation>
    </message>
    <message>
        <source>Sent %1 presets to %2 in %3 s (not verified)</source>
        <translation>%1 Presets in %3 s an %2 gesendet (nicht geprüft)</translation>
    </message>
    <message>
        <source>Sent %1 presets to %2 and verified them in %3 s</source>
        <translation>%1 Presets an %2 gesendet und in %3 s geprüft</translation>
    </message>
    <message>
        <source>Sent preset %1 to %2 (not verified)</source>
        <translation>Preset %1 an %2 gesendet (nicht geprüft)</translation>
    </message>
    <message>
        <source>Sent preset %1 to the edit memory (not verified)</source>
        <translation>Preset %1 an den Edit-Speicher gesendet (nicht geprüft)</translation>
    </message>
    <message>
        <source>Sent preset %1 to %2 and verified it</source>
        <translation>Preset %1 an %2 gesendet und geprüft</translation>
    </message>
    <message>
        <source>Sent preset %1 to the edit memory and verified it</source>
        <translation>Preset %1 an den Edit-Speicher gesendet und geprüft</translation>
    </message>
    <message>
        <source>Loaded preset %1 from %2</source>
        <translation>Preset %1 von %2 geladen</translation>
    </message>
    <message>
        <source>Loaded preset %1 from the edit memory</source>
        <translation>Preset %1 aus dem Edit-Speicher geladen</translation>
    </message>
    <message>
        <source>Verification failed: preset %1 differs on the keyboard.</source>
        <translation>Prüfung fehlgeschlagen: Preset %1 weicht auf dem Keyboard ab.</translation>
    </message>
    <message>
        <source>LMK4 saving to EEProm: %1 left</source>
        <translation>LMK4 speichert ins EEProm: noch %1</translation>
    </message>
    <message>
        <source>The LMK4 is still saving its presets into the EEProm (about %1 left). A transfer now may disturb it. Transfer anyway?</source>
        <translation>Das LMK4 speichert seine Presets noch ins EEProm (noch etwa %1). Eine Übertragung kann das jetzt stören. Trotzdem übertragen?</translation>
    </message>
    <message>
        <source>Send all %1 presets to the %2? This replaces every preset on the keyboard.</source>
        <translation>Alle %1 Presets an das %2 senden? Dadurch werden alle Presets auf dem Keyboard ersetzt.</translation>
    </message>
    <message>
        <source>Do not ask again</source>
        <translation>Nicht mehr fragen</translation>
    </message>
    <message>
        <source>The MIDI port &quot;%1&quot; is not there. Please check that the keyboard is connected and switched on, and the MIDI-Connections.</source>
        <translation>Der MIDI-Port &quot;%1&quot; ist nicht vorhanden. Bitte prüfen Sie, ob das Keyboard angeschlossen und eingeschaltet ist, und die MIDI-Verbindungen.</translation>
    </message>
    <message>
        <source>Reading the presets back to verify them</source>
        <translation>Presets werden zur Prüfung zurückgelesen</translation>
    </message>
    <message>
        <source>Asking again for the damaged presets</source>
        <translation>Beschädigte Presets werden erneut angefordert</translation>
    </message>
    <message>
        <source>About %1 of %2 Bytes transmitted (estimated).</source>
        <translation>Etwa %1 von %2 Bytes übertragen (geschätzt).</translation>
    </message>
    <message>
        <source>Verifying Data with LMK-Masterkeyboard</source>
        <translation>Daten mit dem LMK-Masterkeyboard abgleichen</translation>
    </message>
    <message>
        <source>Verify after sending a preset or the edit memory</source>
        <translation>Nach dem Senden eines Presets oder des Edit-Speichers prüfen</translation>
    </message>
    <message>
        <source>Verify after Send all</source>
        <translation>Nach dem Senden aller Presets prüfen</translation>
    </message>
    <message>
        <source>Send at full speed</source>
        <translation>Mit voller Geschwindigkeit senden</translation>
    </message>
    <message>
        <source>Stop a load after silence of:</source>
        <translation>Laden abbrechen nach einer Pause von:</translation>
    </message>
    <message>
        <source>MIDI does not confirm what arrives. Verifying reads the presets back and compares them byte for byte. Without full speed, data goes out no faster than a MIDI cable carries it.</source>
        <translation>MIDI bestätigt nicht, was ankommt. Beim Prüfen werden die Presets zurückgelesen und Byte für Byte verglichen. Ohne volle Geschwindigkeit gehen die Daten nicht schneller hinaus, als ein MIDI-Kabel sie überträgt.</translation>
    </message>
    <message>
        <source> s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>the edit memory</source>
        <translation>dem Edit-Speicher</translation>
    </message>
    <message>
        <source>Send &amp;changes to the edit memory</source>
        <translation>Ä&amp;nderungen an den Edit-Speicher senden</translation>
    </message>
    <message>
        <source>Live edit</source>
        <translation>Live-Bearbeitung</translation>
    </message>
    <message>
        <source>Live edit: send failed</source>
        <translation>Live-Bearbeitung: Senden fehlgeschlagen</translation>
    </message>
    <message>
        <source>The pages could not be drawn as a PDF.</source>
        <translation>Die Seiten konnten nicht als PDF erzeugt werden.</translation>
    </message>
    <message>
        <source>The PDF file &quot;%1&quot; could not be written: %2</source>
        <translation>Die PDF-Datei &quot;%1&quot; konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Presetor and SysEx files (*.lmk *.syx);;Presetor (*.lmk);;SysEx files (*.syx)</source>
        <translation>Presetor- und SysEx-Dateien (*.lmk *.syx);;Presetor (*.lmk);;SysEx-Dateien (*.syx)</translation>
    </message>
    <message>
        <source>SysEx files (*.syx)</source>
        <translation>SysEx-Dateien (*.syx)</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be opened: %2</source>
        <translation>Die Datei &quot;%1&quot; konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be written: %2</source>
        <translation>Die Datei &quot;%1&quot; konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>In &quot;%1&quot; these presets have wrong checksums, so their data may be damaged: %2. Do you want to open the file all the same?</source>
        <translation>In &quot;%1&quot; haben diese Presets falsche Prüfsummen, ihre Daten können also beschädigt sein: %2. Möchten Sie die Datei trotzdem öffnen?</translation>
    </message>
    <message>
        <source>Export as SysEx</source>
        <translation>Als SysEx exportieren</translation>
    </message>
    <message>
        <source>SysEx, one bulk dump of all presets (*.syx)</source>
        <translation>SysEx, ein Bulk-Dump aller Presets (*.syx)</translation>
    </message>
    <message>
        <source>SysEx, one single dump per preset (*.syx)</source>
        <translation>SysEx, ein Einzel-Dump pro Preset (*.syx)</translation>
    </message>
    <message>
        <source>What to print</source>
        <translation>Druckumfang</translation>
    </message>
    <message>
        <source>&amp;Current preset</source>
        <translation>&amp;Aktuelles Preset</translation>
    </message>
    <message>
        <source>&amp;Whole bank (a list of all presets, then one page per preset)</source>
        <translation>&amp;Ganze Bank (eine Liste aller Presets, danach eine Seite pro Preset)</translation>
    </message>
    <message>
        <source>The print job could not be started.</source>
        <translation>Der Druckauftrag konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Export as S&amp;ysEx...</source>
        <translation>Als S&amp;ysEx exportieren...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Druck&amp;vorschau...</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>Als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>Compare with &amp;File...</source>
        <translation>Mit Date&amp;i vergleichen...</translation>
    </message>
    <message>
        <source>Compare with the &amp;Keyboard...</source>
        <translation>Mit dem &amp;Keyboard vergleichen...</translation>
    </message>
    <message>
        <source>MIDI &amp;Monitor</source>
        <translation>MIDI-&amp;Monitor</translation>
    </message>
    <message>
        <source>Compare with %1</source>
        <translation>Vergleich mit %1</translation>
    </message>
    <message>
        <source>The banks are equal.</source>
        <translation>Die Bänke sind gleich.</translation>
    </message>
    <message>
        <source>Presets that differ</source>
        <translation>Abweichende Presets</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>This document</source>
        <translation>Dieses Dokument</translation>
    </message>
    <message>
        <source>Copy &amp;preset into the document</source>
        <translation>&amp;Preset in das Dokument kopieren</translation>
    </message>
    <message>
        <source>Copy &amp;field into the document</source>
        <translation>&amp;Feld in das Dokument kopieren</translation>
    </message>
    <message>
        <source>the keyboard</source>
        <translation>dem Keyboard</translation>
    </message>
    <message>
        <source>The banks are for different keyboards (%1 and %2); the first %3 presets are compared.</source>
        <translation>Die Bänke gehören zu verschiedenen Keyboards (%1 und %2); verglichen werden die ersten %3 Presets.</translation>
    </message>
    <message>
        <source>MIDI Monitor</source>
        <translation>MIDI-Monitor</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Bedeutung</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>&amp;Save as text...</source>
        <translation>Als &amp;Text speichern...</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>gesendet</translation>
    </message>
    <message>
        <source>received</source>
        <translation>empfangen</translation>
    </message>
    <message>
        <source>Copy Preset from %1</source>
        <translation>Preset von %1 kopieren</translation>
    </message>
    <message>
        <source>Copy %1 from %2</source>
        <translation>%1 von %2 kopieren</translation>
    </message>
    <message>
        <source>Send every change of the current Preset to the Edit-Memory of the LMK
Send changes to the edit memory</source>
        <translation>Jede Änderung am aktuellen Preset an den Edit-Speicher des LMK senden
Änderungen an den Edit-Speicher senden</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Ganze Seiten anzeigen
Druckvorschau</translation>
    </message>
    <message>
        <source>Write the bank as a SysEx file (bulk dump or single dumps)
Export as SysEx</source>
        <translation>Bank als SysEx-Datei schreiben (Bulk-Dump oder Einzel-Dumps)
Als SysEx exportieren</translation>
    </message>
    <message>
        <source>Write the printout as a PDF file
Export as PDF</source>
        <translation>Ausdruck als PDF-Datei schreiben
Als PDF exportieren</translation>
    </message>
    <message>
        <source>Show the presets and values in which a .lmk or .syx file differs from the document
Compare with File</source>
        <translation>Presets und Werte anzeigen, in denen sich eine .lmk- oder .syx-Datei vom Dokument unterscheidet
Mit Datei vergleichen</translation>
    </message>
    <message>
        <source>Load all presets from the keyboard into a separate bank and show how they differ from the document
Compare with the Keyboard</source>
        <translation>Alle Presets vom Keyboard in eine eigene Bank laden und die Unterschiede zum Dokument anzeigen
Mit dem Keyboard vergleichen</translation>
    </message>
    <message>
        <source>Show or hide the list of every MIDI message sent and received
MIDI Monitor</source>
        <translation>Liste aller gesendeten und empfangenen MIDI-Nachrichten ein- oder ausblenden
MIDI-Monitor</translation>
    </message>
</context>
</TS>
