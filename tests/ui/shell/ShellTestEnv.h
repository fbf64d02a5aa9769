// What a shell test needs: a temporary home (settings INI, data and config folders, Qt's test
// mode for standard paths), a session of the program on it, and a way to answer the next
// modal dialog or message box the way a user would.
#pragma once

#include "app/CMainFrame.h"
#include "app/PresetorSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class ShellTestEnv {
public:
    ShellTestEnv() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        NewSettings();
    }

    // Drops any session and reopens the same settings file, as the next start of the program
    // would find it.
    void NewSettings() {
        session.reset();
        if (settings) {
            settings->sync();
        }
        settings = std::make_unique<QSettings>(dir.filePath(QStringLiteral("presetor.ini")),
                                               QSettings::IniFormat);
    }

    // Starts a session the way main does (without desktop registration); -1 = window up.
    // makeMidi: the system's MIDI ports as main makes them (none by default).
    int Start(const presetor::CommandLine& line = {},
              const PresetorSession::MidiMaker& makeMidi = {}) {
        session = std::make_unique<PresetorSession>(*settings, PresetorParts{});
        return session->Start(line, makeMidi, dir.path(), false);
    }

    // Ends the session with its exit steps, then forgets it.
    void Finish() {
        if (session) {
            session->Finish();
            session.reset();
        }
        settings->sync();
    }

    CMainFrame& Frame() { return *session->Frame(); }

    // Presses a key in the main window as the user would, with the window active (a closed
    // message box does not always give the activation back on the offscreen platform).
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Frame().activateWindow();
        QApplication::setActiveWindow(&Frame());
        QTest::keyClick(&Frame(), key, modifiers);
    }
    CEditorApp& App() { return session->App(); }
    CAppDoc& Doc() { return session->Doc(); }
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<PresetorSession> session;
};

// Runs act on the next modal window (dialog or message box; only message boxes when
// boxesOnly) as soon as it is shown. The check runs from the event loop of that window, so call
// this before the command that opens it.
inline void OnNextModal(std::function<void(QWidget*)> act, bool boxesOnly = false) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, boxesOnly] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && (!boxesOnly || qobject_cast<QMessageBox*>(modal))) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

// Presses a button of the next message box (other dialogs are let be); its text goes to *text
// when given.
inline void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
    OnNextModal(
        [button, text](QWidget* modal) {
            auto* box = static_cast<QMessageBox*>(modal);
            if (text) {
                *text = box->text();
            }
            if (QAbstractButton* b = box->button(button)) {
                b->click();
            } else {
                box->reject();
            }
        },
        true);
}

// Answers the next message boxes in order. Each answer is "Yes", "No" or "Ok", or the
// objectName of a button of the box; "check:" in front first ticks the box's check box. The
// texts of the boxes are appended to *texts.
inline void AnswerBoxes(QStringList answers, std::shared_ptr<QStringList> texts) {
    if (answers.isEmpty()) {
        return;
    }
    OnNextModal(
        [answers, texts](QWidget* modal) mutable {
            auto* box = static_cast<QMessageBox*>(modal);
            texts->append(box->text());
            QString answer = answers.takeFirst();
            AnswerBoxes(answers, texts); // armed before this box closes
            if (answer.startsWith(QStringLiteral("check:"))) {
                answer = answer.mid(6);
                box->checkBox()->setChecked(true);
            }
            QAbstractButton* b = box->findChild<QAbstractButton*>(answer);
            if (answer == QStringLiteral("Yes")) {
                b = box->button(QMessageBox::Yes);
            } else if (answer == QStringLiteral("No")) {
                b = box->button(QMessageBox::No);
            } else if (answer == QStringLiteral("Ok")) {
                b = box->button(QMessageBox::Ok);
            }
            if (b) {
                b->click();
            } else {
                box->reject();
            }
        },
        true);
}
