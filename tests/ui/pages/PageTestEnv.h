// What a page test needs: the application object on an INI settings file in a temporary
// directory, the document over its bank, a chosen keyboard type and a fresh bank, and small
// helpers to find a page's controls and to read and set the current preset and its key ranges.
#pragma once

#include "app/CAppDoc.h"
#include "app/CEditorApp.h"
#include "model/Preset.h"

#include <QAbstractButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <utility>

class PageTestEnv {
public:
    explicit PageTestEnv(int keyboardType)
        : settings(dir.filePath(QStringLiteral("presetor.ini")), QSettings::IniFormat),
          app(settings), doc(app) {
        app.SetKeyboardType(keyboardType);
        doc.NewDocument();
    }

    presetor::Preset& Current() { return app.bank.Current(); }
    // Test set-up writes the bank directly, then lets every page reload.
    void Changed() { doc.UpdateAllViews(1); }
    // Sets a split's key range (both 0: the split is off), then lets every page reload.
    void SetKeys(int split, int low, int high) {
        Current().lowKey[static_cast<std::size_t>(split)] = static_cast<std::uint8_t>(low);
        Current().highKey[static_cast<std::size_t>(split)] = static_cast<std::uint8_t>(high);
        Changed();
    }
    // A split's stored key range as (low, high), to compare both in one check.
    std::pair<int, int> Keys(int split) {
        return {Current().lowKey[static_cast<std::size_t>(split)],
                Current().highKey[static_cast<std::size_t>(split)]};
    }

    QTemporaryDir dir;
    QSettings settings;
    CEditorApp app;
    CAppDoc doc;
};

template <typename T> T* Child(const QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child) {
        std::fprintf(stderr, "no child %s\n", name);
        std::abort();
    }
    return child;
}

// Clicks a check box or radio button on its indicator (a click elsewhere in a widened button
// does not count).
inline void ClickBox(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}
