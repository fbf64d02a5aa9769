// One start of the whole program for the tests of this folder: its settings in an INI file in
// the test's folder (whose sound lists it also reads), and its main window.
#pragma once

#include "app/CMainFrame.h"
#include "app/PresetorParts.h"
#include "app/PresetorSession.h"

#include <QSettings>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// Ends the earlier session, opens the settings file anew (prepare may write to it before the
// program reads it) and starts the program with parts; the test run stops when no window comes.
inline CMainFrame& StartProgram(const QTemporaryDir& dir, const PresetorParts& parts,
                                std::unique_ptr<QSettings>& settings,
                                std::unique_ptr<PresetorSession>& session,
                                const std::function<void(QSettings&)>& prepare = {}) {
    session.reset();
    settings = std::make_unique<QSettings>(dir.filePath(QStringLiteral("presetor.ini")),
                                           QSettings::IniFormat);
    if (prepare) {
        prepare(*settings);
    }
    session = std::make_unique<PresetorSession>(*settings, parts);
    if (session->Start({}, nullptr, dir.path(), false) != -1 || !session->Frame()) {
        qFatal("the main window did not start");
    }
    return *session->Frame();
}
