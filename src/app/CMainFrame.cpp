// Main window.
#include "CMainFrame.h"

#include "BankCommands.h"
#include "CAboutDlg.h"
#include "CAppDoc.h"
#include "CCompareDlg.h"
#include "CEditorApp.h"
#include "CMidiConnectionsDlg.h"
#include "CMidiMonitor.h"
#include "CPresetView.h"
#include "CTabView.h"
#include "CTransferDlg.h"
#include "CommandIds.h"
#include "FileNames.h"
#include "Messages.h"
#include "Resources.h"
#include "SettingsKeys.h"
#include "StartupPreload.h"
#include "Strings.h"
#include "SvgIcon.h"
#include "TransferCommands.h"

#include "midi/SyxFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QShortcutEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

using namespace presetor;

namespace {
const QString kFilter = QStringLiteral("Presetor (*.lmk)");

bool IsSyxPath(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("syx"), Qt::CaseInsensitive) == 0;
}

// The one local .lmk or .syx file of a drag, or empty.
QString DroppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls()[0].isLocalFile()) {
        return QString();
    }
    const QString path = mime->urls()[0].toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("lmk") || suffix == QLatin1String("syx") ? path : QString();
}

// The presets of a .syx file with wrong checksums: keep them?
bool KeepDamaged(QWidget* parent, const QString& path, const std::vector<int>& presets) {
    QStringList list;
    for (int i : presets) {
        list << PresetPosition(i);
    }
    return AskYesNo(parent,
                    Str(IDS_SYX_CHECKSUMS)
                        .arg(QDir::toNativeSeparators(path), list.join(QStringLiteral(", "))));
}
} // namespace

CMainFrame::CMainFrame(CEditorApp& application, CAppDoc& document, const PageFactory& pages,
                       const PageDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), app(application), doc(document), pageDialogs(dialogs),
      recent(application.Settings()), transfers(application, document, this, nullptr),
      liveEdit(application, document) {
    InitResources();
    setObjectName(QStringLiteral("mainFrame"));
    // The window shows the application's icon, which the session sets once the window is shown.

    CreateActions();
    CreateToolBar();
    // Text is measured from here on (the status bar first): the font configuration read during
    // start-up on a helper thread must be complete, or Qt would read it a second time.
    WaitForFontPreload();
    CreateStatusBar();
    transfers.SetStatusBar(statusBar());

    splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    presetView = new CPresetView(doc, splitter);
    tabView = new CTabView(app, doc, pages, splitter);
    splitter->addWidget(presetView);
    splitter->addWidget(tabView);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    // The list pane is exactly as wide as its two columns and a scroll bar.
    presetView->setMinimumWidth(presetView->IdealWidth());
    splitter->setSizes({presetView->IdealWidth(), 600});
    setCentralWidget(splitter);
    // The menu bar last: making it asks the session bus whether the desktop shows menus itself.
    // The bus is connected on a helper thread (SessionBusPreload); the toolbar's buttons already
    // waited for it, when they first told the accessibility bridge their texts.
    CreateMenus();
    resize(FirstSize());
    setAcceptDrops(true);

    connect(&doc, &CAppDoc::TitleChanged, this, &CMainFrame::UpdateTitle);
    connect(&doc, &CAppDoc::ModifiedChanged, this, &CMainFrame::UpdateTitle);
    connect(&doc, &CAppDoc::Updated, this, [this](int hint) {
        if (hint == 0) {
            UpdateCommandStates();
        }
    });
    connect(&app, &CEditorApp::KeyboardTypeChanged, this, &CMainFrame::UpdateCommandStates);
    connect(&liveEdit, &CLiveEdit::StatusChanged, this, &CMainFrame::UpdateLiveEditState);
    UpdateTitle();
    UpdateCommandStates();
    UpdateLiveEditState();
    // Ambiguous shortcut events go to their owners (actions, labels, the menu bar) directly.
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    // The base class closes the window and hides the monitor dock after this object's members
    // are gone; the dock's visibility signal must no longer reach them.
    if (monitor) {
        disconnect(monitor, nullptr, this, nullptr);
    }
}

QAction* CMainFrame::MakeAction(int id, const QString& text, const QKeySequence& key,
                                const QString& icon) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("action%1").arg(id));
    action->setData(id);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    if (!icon.isEmpty()) {
        action->setIcon(SvgIcon(QStringLiteral(":/presetor/toolbar/%1.svg").arg(icon)));
    }
    action->setStatusTip(PromptOf(id));
    const QString tip = TooltipOf(id);
    if (!tip.isEmpty()) {
        action->setToolTip(tip);
    }
    addAction(action); // shortcuts work while the menu bar is hidden or the toolbar is off
    actions[id] = action;
    return action;
}

QAction* CMainFrame::Action(int commandId) const {
    const auto it = actions.find(commandId);
    return it == actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
    // File
    connect(MakeAction(ID_FILE_NEW, tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N),
                       QStringLiteral("new")),
            &QAction::triggered, this, &CMainFrame::OnFileNew);
    connect(MakeAction(ID_FILE_OPEN, tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                       QStringLiteral("open")),
            &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(MakeAction(ID_FILE_SAVE, tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
                       QStringLiteral("save")),
            &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(MakeAction(ID_FILE_SAVE_AS, tr("Save &all..."), QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(MakeAction(ID_APP_EXIT, tr("&Exit")), &QAction::triggered, this, &QWidget::close);
    connect(MakeAction(ID_FILE_EXPORT_SYSEX, Str(IDS_MENU_EXPORT_SYSEX)), &QAction::triggered, this,
            &CMainFrame::OnExportSysex);
    // Printing: the summary of the current preset or the whole bank, from the pages layer.
    for (const auto& [id, text, key] :
         {std::tuple{ID_FILE_PRINT, IDS_MENU_PRINT, QKeySequence(Qt::CTRL | Qt::Key_P)},
          std::tuple{ID_FILE_PRINT_PREVIEW, IDS_MENU_PRINT_PREVIEW, QKeySequence()},
          std::tuple{ID_FILE_EXPORT_PDF, IDS_MENU_EXPORT_PDF, QKeySequence()}}) {
        const int command = id;
        connect(MakeAction(id, Str(text), key), &QAction::triggered, this, [this, command] {
            if (pageDialogs.print) {
                pageDialogs.print(this, app, doc, command);
            }
        });
    }

    // Edit
    QAction* undo = MakeAction(ID_EDIT_UNDO, tr("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = MakeAction(ID_EDIT_REDO, tr("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(undo, &QAction::triggered, &doc.UndoStack(), &QUndoStack::undo);
    connect(redo, &QAction::triggered, &doc.UndoStack(), &QUndoStack::redo);
    connect(&doc.UndoStack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&doc.UndoStack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&doc.UndoStack(), &QUndoStack::undoTextChanged, undo, [undo](const QString& text) {
        undo->setText(text.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(text));
    });
    connect(&doc.UndoStack(), &QUndoStack::redoTextChanged, redo, [redo](const QString& text) {
        redo->setText(text.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(text));
    });
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(MakeAction(ID_COMPARE_FILE, Str(IDS_MENU_COMPARE_FILE)), &QAction::triggered, this,
            &CMainFrame::OnCompareFile);
    connect(MakeAction(ID_COMPARE_KEYBOARD, Str(IDS_MENU_COMPARE_KEYBOARD)), &QAction::triggered,
            this, &CMainFrame::OnCompareKeyboard);

    // Presets
    connect(MakeAction(ID_LOAD_ALL, tr("Load &All Presets"), QKeySequence(Qt::Key_F2),
                       QStringLiteral("load_all")),
            &QAction::triggered, this, &CMainFrame::OnLoadAll);
    connect(MakeAction(ID_SEND_ALL, tr("Send All &Presets"), QKeySequence(Qt::Key_F3),
                       QStringLiteral("send_all")),
            &QAction::triggered, this, [this] { transfers.OnSendAll(); });
    connect(MakeAction(ID_LOAD_PRESET, tr("&Load this Preset"), QKeySequence(Qt::Key_F4),
                       QStringLiteral("load_preset")),
            &QAction::triggered, this, [this] { transfers.OnLoadPreset(); });
    connect(MakeAction(ID_SEND_PRESET, tr("&Send this Preset"), QKeySequence(Qt::Key_F5),
                       QStringLiteral("send_preset")),
            &QAction::triggered, this, [this] { transfers.OnSendPreset(); });
    connect(MakeAction(ID_LOAD_EDIT_MEMORY, tr("Load this Preset from Ed&it-Memory"),
                       QKeySequence(Qt::Key_F6), QStringLiteral("load_edit")),
            &QAction::triggered, this, [this] { transfers.OnLoadEditMemory(); });
    connect(MakeAction(ID_SEND_EDIT_MEMORY, tr("Send this Preset to Edit-&Memory"),
                       QKeySequence(Qt::Key_F7), QStringLiteral("send_edit")),
            &QAction::triggered, this, [this] { transfers.OnSendEditMemory(); });
    connect(
        MakeAction(ID_RESET_PRESET, tr("Reset this Preset to &Default"), QKeySequence(Qt::Key_F8)),
        &QAction::triggered, this, [this] { OnResetPreset(this, doc); });
    connect(MakeAction(ID_COPY_PRESET, tr("&Copy this Preset"), QKeySequence(Qt::ALT | Qt::Key_C)),
            &QAction::triggered, this, [this] { OnCopyPreset(this, doc); });
    connect(MakeAction(ID_EXCHANGE_PRESET, tr("E&xchange this Preset with another"),
                       QKeySequence(Qt::ALT | Qt::Key_X)),
            &QAction::triggered, this, [this] { OnExchangePreset(this, doc); });
    connect(
        MakeAction(ID_INSERT_PRESET, tr("Insert this Preset"), QKeySequence(Qt::ALT | Qt::Key_I)),
        &QAction::triggered, this, [this] { OnInsertPreset(this, doc); });
    connect(MakeAction(ID_SAVE_EEPROM, tr("Save all Presets in &EEPROM"), QKeySequence(Qt::Key_F9)),
            &QAction::triggered, this, [this] { transfers.OnSaveEeprom(); });
    connect(MakeAction(ID_LINK_ALL, tr("Link all Presets")), &QAction::triggered, this,
            [this] { OnLinkAll(doc); });
    connect(MakeAction(ID_UNLINK_ALL, tr("Unlink all Presets")), &QAction::triggered, this,
            [this] { OnUnlinkAll(doc); });

    // Options
    QAction* live = MakeAction(ID_LIVE_EDIT, Str(IDS_LIVE_EDIT), {}, QStringLiteral("live_edit"));
    live->setCheckable(true);
    connect(live, &QAction::triggered, this, [this](bool on) { liveEdit.SetOn(on); });
    connect(MakeAction(ID_MIDI_CONNECTIONS, tr("&MIDI-Connections...")), &QAction::triggered, this,
            &CMainFrame::OnMidiConnections);
    connect(MakeAction(ID_PRESET_DEFAULTS, tr("&Preset-Default-Settings...")), &QAction::triggered,
            this, [this] {
                if (pageDialogs.presetDefaults) {
                    pageDialogs.presetDefaults(this, app, doc);
                }
            });
    connect(MakeAction(ID_CHANNEL_ASSIGNMENT, tr("MIDI-Channel-Assignment")), &QAction::triggered,
            this, [this] {
                if (pageDialogs.channelAssignment) {
                    pageDialogs.channelAssignment(this, app, doc);
                }
            });
    keyboardGroup = new QActionGroup(this);
    keyboardGroup->setExclusive(true);
    QAction* lmk3 = MakeAction(ID_KEYBOARD_LMK3, tr("LMK3-Keyboard"));
    QAction* lmk4 = MakeAction(ID_KEYBOARD_LMK4, tr("LMK4/4+ Keyboard"));
    for (QAction* a : {lmk3, lmk4}) {
        a->setCheckable(true);
        keyboardGroup->addAction(a);
    }
    connect(lmk3, &QAction::triggered, this, [this] { OnKeyboard(kLmk3); });
    connect(lmk4, &QAction::triggered, this, [this] { OnKeyboard(kLmk4); });

    // View
    QAction* showToolBar = MakeAction(ID_VIEW_TOOLBAR, tr("&Toolbar"));
    QAction* showStatusBar = MakeAction(ID_VIEW_STATUS_BAR, tr("&Status Bar"));
    QAction* showMonitor = MakeAction(ID_VIEW_MIDI_MONITOR, Str(IDS_MENU_MIDI_MONITOR));
    showMonitor->setCheckable(true);
    connect(showMonitor, &QAction::triggered, this,
            [this](bool on) { MidiMonitor()->setVisible(on); });
    showToolBar->setCheckable(true);
    showStatusBar->setCheckable(true);
    connect(showToolBar, &QAction::toggled, this, [this](bool on) { toolBar->setVisible(on); });
    connect(showStatusBar, &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });

    // ?
    connect(MakeAction(ID_APP_ABOUT, tr("&About Presetor..."), {}, QStringLiteral("about")),
            &QAction::triggered, this, &CMainFrame::OnAbout);
}

void CMainFrame::CreateMenus() {
    fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(Action(ID_FILE_NEW));
    fileMenu->addAction(Action(ID_FILE_OPEN));
    fileMenu->addAction(Action(ID_FILE_SAVE));
    fileMenu->addAction(Action(ID_FILE_SAVE_AS));
    fileMenu->addAction(Action(ID_FILE_EXPORT_SYSEX));
    fileMenu->addSeparator();
    fileMenu->addAction(Action(ID_FILE_PRINT));
    fileMenu->addAction(Action(ID_FILE_PRINT_PREVIEW));
    fileMenu->addAction(Action(ID_FILE_EXPORT_PDF));
    fileMenu->addSeparator();
    recentSeparator = fileMenu->addSeparator();
    fileMenu->addAction(Action(ID_APP_EXIT));
    RebuildRecentMenu();

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(Action(ID_EDIT_UNDO));
    edit->addAction(Action(ID_EDIT_REDO));
    edit->addSeparator();
    edit->addAction(Action(ID_COMPARE_FILE));
    edit->addAction(Action(ID_COMPARE_KEYBOARD));

    QMenu* presets = menuBar()->addMenu(tr("&Presets"));
    presets->addAction(Action(ID_LOAD_ALL));
    presets->addAction(Action(ID_SEND_ALL));
    presets->addSeparator();
    presets->addAction(Action(ID_LOAD_PRESET));
    presets->addAction(Action(ID_SEND_PRESET));
    presets->addSeparator();
    presets->addAction(Action(ID_LOAD_EDIT_MEMORY));
    presets->addAction(Action(ID_SEND_EDIT_MEMORY));
    presets->addSeparator();
    presets->addAction(Action(ID_RESET_PRESET));
    presets->addSeparator();
    presets->addAction(Action(ID_COPY_PRESET));
    presets->addAction(Action(ID_EXCHANGE_PRESET));
    presets->addAction(Action(ID_INSERT_PRESET));
    presets->addSeparator();
    presets->addAction(Action(ID_SAVE_EEPROM));
    presets->addSeparator();
    presets->addAction(Action(ID_LINK_ALL));
    presets->addAction(Action(ID_UNLINK_ALL));

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    options->addAction(Action(ID_MIDI_CONNECTIONS));
    options->addAction(Action(ID_PRESET_DEFAULTS));
    options->addAction(Action(ID_CHANNEL_ASSIGNMENT));
    options->addAction(Action(ID_LIVE_EDIT));
    options->addSeparator();
    options->addAction(Action(ID_KEYBOARD_LMK3));
    options->addAction(Action(ID_KEYBOARD_LMK4));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(Action(ID_VIEW_TOOLBAR));
    view->addAction(Action(ID_VIEW_STATUS_BAR));
    view->addAction(Action(ID_VIEW_MIDI_MONITOR));

    QMenu* help = menuBar()->addMenu(tr("&?"));
    help->addAction(Action(ID_APP_ABOUT));
}

void CMainFrame::CreateToolBar() {
    toolBar = addToolBar(tr("Toolbar"));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setMovable(true);
    toolBar->addAction(Action(ID_FILE_NEW));
    toolBar->addAction(Action(ID_FILE_OPEN));
    toolBar->addAction(Action(ID_FILE_SAVE));
    toolBar->addSeparator();
    toolBar->addAction(Action(ID_LOAD_ALL));
    toolBar->addAction(Action(ID_SEND_ALL));
    toolBar->addSeparator();
    toolBar->addAction(Action(ID_LOAD_PRESET));
    toolBar->addAction(Action(ID_SEND_PRESET));
    toolBar->addSeparator();
    toolBar->addAction(Action(ID_LOAD_EDIT_MEMORY));
    toolBar->addAction(Action(ID_SEND_EDIT_MEMORY));
    toolBar->addAction(Action(ID_LIVE_EDIT));
    toolBar->addSeparator();
    toolBar->addAction(Action(ID_APP_ABOUT));
    toolBar->toggleViewAction()->setVisible(false);
    connect(toolBar, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (!isHidden() || visible) {
            Action(ID_VIEW_TOOLBAR)->setChecked(toolBar->isVisibleTo(this));
        }
    });
    Action(ID_VIEW_TOOLBAR)->setChecked(true);
}

void CMainFrame::CreateStatusBar() {
    indicator = new QLabel(this);
    indicator->setObjectName(QStringLiteral("keyboardIndicator"));
    indicator->setAlignment(Qt::AlignCenter);
    indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(Str(IDS_INDICATOR_LMK4)) +
                               12);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    liveEditIndicator = new QLabel(this);
    liveEditIndicator->setObjectName(QStringLiteral("liveEditIndicator"));
    liveEditIndicator->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(liveEditIndicator);
    statusBar()->addPermanentWidget(indicator);
    Action(ID_VIEW_STATUS_BAR)->setChecked(true);
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(tr("%1[*] - Presetor").arg(doc.Title()));
    setWindowModified(doc.IsModified());
}

void CMainFrame::UpdateCommandStates() {
    const int type = doc.GetBank().keyboardType;
    Action(ID_SAVE_EEPROM)->setEnabled(HasLmk4Fields(type));
    Action(ID_KEYBOARD_LMK3)->setChecked(type == kLmk3);
    Action(ID_KEYBOARD_LMK4)->setChecked(type != kLmk3);
    Action(ID_PRESET_DEFAULTS)->setEnabled(static_cast<bool>(pageDialogs.presetDefaults));
    Action(ID_CHANNEL_ASSIGNMENT)->setEnabled(static_cast<bool>(pageDialogs.channelAssignment));
    for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_EXPORT_PDF}) {
        Action(id)->setEnabled(static_cast<bool>(pageDialogs.print));
    }
    indicator->setText(KeyboardIndicator(type));
}

void CMainFrame::UpdateLiveEditState() {
    Action(ID_LIVE_EDIT)->setChecked(liveEdit.IsOn());
    const bool failed = liveEdit.LastSendFailed();
    liveEditIndicator->setVisible(liveEdit.IsOn());
    liveEditIndicator->setText(Str(failed ? IDS_LIVE_EDIT_FAILED : IDS_LIVE_EDIT_ON));
    liveEditIndicator->setStyleSheet(failed ? QStringLiteral("color: #c00000; font-weight: bold;")
                                            : QString());
}

void CMainFrame::RebuildRecentMenu() {
    for (QAction* a : recentActions) {
        fileMenu->removeAction(a);
        delete a;
    }
    recentActions.clear();
    const QStringList& files = recent.Files();
    if (files.isEmpty()) {
        auto* placeholder = new QAction(tr("Letzte Datei"), this);
        placeholder->setEnabled(false);
        placeholder->setStatusTip(PromptOf(ID_FILE_MRU_FILE1));
        recentActions << placeholder;
    }
    for (int i = 0; i < files.size(); ++i) {
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
                                  DisplayFileName(QDir::toNativeSeparators(files[i]))),
                              this);
        a->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        a->setStatusTip(PromptOf(ID_FILE_MRU_FILE1));
        const QString path = files[i];
        connect(a, &QAction::triggered, this, [this, path] { OpenFile(path); });
        recentActions << a;
    }
    fileMenu->insertActions(recentSeparator, recentActions);
}

void CMainFrame::AddRecentFile(const QString& path) {
    recent.Add(path);
    RebuildRecentMenu();
}

QSize CMainFrame::FirstSize() const {
    // Wide enough for the list and the pages, but never wider or taller than nine tenths of
    // the screen's free area; the page tabs scroll when they do not all fit.
    const QSize wanted(1120, 700);
    const QScreen* where = screen();
    if (!where)
        return wanted;
    const QSize room = where->availableGeometry().size() * 9 / 10;
    return wanted.boundedTo(room);
}

void CMainFrame::RestorePlacement() {
    QSettings& s = app.Settings();
    const QByteArray geometry = s.value(keys::kWindowPos).toByteArray();
    // A value that is not Qt's geometry record is ignored and the default placement stays.
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
    const QByteArray state = s.value(keys::kWindowState).toByteArray();
    if (!state.isEmpty()) {
        // A monitor left open is made first, so that the state brings it back where it was.
        if (s.value(keys::kMidiMonitorShown, false).toBool()) {
            MidiMonitor();
        }
        restoreState(state);
        Action(ID_VIEW_TOOLBAR)->setChecked(!toolBar->isHidden());
    }
}

CMidiMonitor* CMainFrame::MidiMonitor() {
    if (!monitor) {
        monitor = new CMidiMonitor(app, this);
        // Where a window state restored earlier put it; otherwise at the bottom.
        if (!restoreDockWidget(monitor)) {
            addDockWidget(Qt::BottomDockWidgetArea, monitor);
        }
        monitor->hide();
        connect(monitor, &QDockWidget::visibilityChanged, this, [this] {
            Action(ID_VIEW_MIDI_MONITOR)
                ->setChecked(monitor->isVisibleTo(this) || monitor->isVisible());
        });
    }
    return monitor;
}

void CMainFrame::SavePlacement() {
    app.Settings().setValue(keys::kWindowPos, saveGeometry());
    app.Settings().setValue(keys::kWindowState, saveState());
    app.Settings().setValue(keys::kMidiMonitorShown, monitor && monitor->isVisibleTo(this));
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Ctrl+Z and Ctrl+Y step the document's undo stack also while a text field has the
        // focus: the field's own undo would add edits of its own instead of going back. Ctrl+A
        // saves under a new name there too, instead of selecting the field's text.
        auto* widget = qobject_cast<QWidget*>(watched);
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        if (widget && widget->window() == this &&
            (key == Action(ID_EDIT_UNDO)->shortcut() || key == Action(ID_EDIT_REDO)->shortcut() ||
             key == Action(ID_FILE_SAVE_AS)->shortcut())) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->isAmbiguous() && ResolveAmbiguousKey(watched, shortcut->key())) {
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::ResolveAmbiguousKey(QObject* receiver, const QKeySequence& key) {
    // Only keys pressed in this window: the receiver is one of its actions or widgets.
    auto* action = qobject_cast<QAction*>(receiver);
    auto* widget = qobject_cast<QWidget*>(receiver);
    const bool ours = (action && action->parent() == this) || (widget && widget->window() == this);
    if (!ours) {
        return false;
    }
    for (const auto& [id, command] : actions) {
        if (command->shortcut() == key) {
            if (command->isEnabled()) {
                command->trigger();
            }
            return true;
        }
    }
    if (receiver != menuBar()) {
        return false; // two page controls share the key: Qt takes turns between them
    }
    // A menu title against a control of the page shown: the control takes the key.
    for (QWidget* control : centralWidget()->findChildren<QWidget*>()) {
        if (!control->isVisible() || !control->isEnabled()) {
            continue;
        }
        if (auto* label = qobject_cast<QLabel*>(control)) {
            if (label->buddy() && label->buddy()->isEnabled() &&
                QKeySequence::mnemonic(label->text()) == key) {
                label->buddy()->setFocus(Qt::ShortcutFocusReason);
                return true;
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            if (QKeySequence::mnemonic(button->text()) == key) {
                button->setFocus(Qt::ShortcutFocusReason);
                button->animateClick();
                return true;
            }
        }
    }
    return false;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SavePlacement();
    if (SaveModified()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool CMainFrame::SaveModified() {
    // A value still being typed into a field counts: the field takes it before the question.
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == this) {
        focus->clearFocus();
        focus->setFocus(Qt::OtherFocusReason);
    }
    if (!doc.IsModified()) {
        return true;
    }
    switch (AskSaveChanges(this, doc.Title())) {
    case QMessageBox::Yes:
        return OnFileSave();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnFileNew() {
    if (SaveModified()) {
        doc.NewDocument();
    }
}

void CMainFrame::OnFileOpen() {
    if (!SaveModified()) {
        return;
    }
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open"), QString(), Str(IDS_FILTER_OPEN));
    if (!path.isEmpty()) {
        OpenFileNoPrompt(path);
    }
}

bool CMainFrame::OpenFile(const QString& path) {
    return SaveModified() && OpenFileNoPrompt(path);
}

bool CMainFrame::OpenFileNoPrompt(const QString& path) {
    if (IsSyxPath(path)) {
        const Result result =
            doc.OpenSysexFile(path, [this, &path](const std::vector<int>& damaged) {
                return KeepDamaged(this, path, damaged);
            });
        if (!result) {
            if (result.code() != ErrorCode::Cancelled) {
                ShowWarning(this, Str(IDS_FILE_NOT_READ)
                                      .arg(QDir::toNativeSeparators(path),
                                           QString::fromLocal8Bit(result.message())));
            }
            return false;
        }
        recent.Add(path);
        RebuildRecentMenu();
        return true;
    }
    const Result result = doc.OpenDocument(path);
    if (!result) {
        ShowWarning(this, FileErrorText(path, result));
        if (result.code() == ErrorCode::IoError) {
            recent.Remove(QFileInfo(path).absoluteFilePath());
            RebuildRecentMenu();
        }
        return false;
    }
    recent.Add(path);
    RebuildRecentMenu();
    return true;
}

bool CMainFrame::OnFileSave() {
    if (doc.PathName().isEmpty()) {
        return OnFileSaveAs();
    }
    return SaveTo(doc.PathName(), true);
}

bool CMainFrame::OnFileSaveAs() {
    QString path = QFileDialog::getSaveFileName(this, tr("Save As"), doc.Title(), kFilter);
    if (path.isEmpty()) {
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".lmk");
    }
    return SaveTo(path, false);
}

bool CMainFrame::SaveTo(const QString& path, bool offerSaveAs) {
    const Result result = doc.SaveDocument(path);
    if (!result) {
        ShowWarning(this, FileErrorText(path, result));
        // A read-only file is left alone; the user picks another name instead.
        if (offerSaveAs && result.code() == ErrorCode::ReadOnly) {
            return OnFileSaveAs();
        }
        return false;
    }
    recent.Add(path);
    RebuildRecentMenu();
    return true;
}

void CMainFrame::OnKeyboard(int type) {
    if (type == doc.GetBank().keyboardType) {
        UpdateCommandStates();
        return;
    }
    if (!AskYesNo(this, Str(IDS_ASK_KEYBOARD_SWITCH)) || !SaveModified()) {
        UpdateCommandStates(); // the radio mark stays where it was
        return;
    }
    app.SetKeyboardType(type);
    // The bank of the other type is a new document: the old file's name is not kept, so a
    // later Save cannot overwrite that file with the empty bank.
    doc.NewDocument();
    UpdateCommandStates();
}

void CMainFrame::OnLoadAll() {
    if (SaveModified()) {
        transfers.OnLoadAll();
    }
}

void CMainFrame::OnMidiConnections() {
    CMidiConnectionsDlg dialog(app, this);
    dialog.exec();
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::OnExportSysex() {
    const QString bulkFilter = Str(IDS_EXPORT_BULK);
    const QString singleFilter = Str(IDS_EXPORT_SINGLE);
    QString chosen = bulkFilter;
    QString path = QFileDialog::getSaveFileName(
        this, Str(IDS_EXPORT_SYSEX), QFileInfo(doc.Title()).completeBaseName() + ".syx",
        bulkFilter + QStringLiteral(";;") + singleFilter, &chosen);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".syx");
    }
    ExportSysex(path, chosen != singleFilter);
}

bool CMainFrame::ExportSysex(const QString& path, bool bulk) {
    const Result result = doc.ExportSysex(path, bulk);
    if (!result) {
        ShowWarning(this, Str(IDS_FILE_NOT_WRITTEN)
                              .arg(QDir::toNativeSeparators(path),
                                   QString::fromLocal8Bit(result.message())));
        return false;
    }
    return true;
}

void CMainFrame::OnCompareFile() {
    const QString path = QFileDialog::getOpenFileName(this, Str(IDS_MENU_COMPARE_FILE).remove('&'),
                                                      QString(), Str(IDS_FILTER_OPEN));
    if (!path.isEmpty()) {
        CompareWithFile(path);
    }
}

void CMainFrame::CompareWithFile(const QString& path) {
    auto other = std::make_unique<Bank>(doc.GetBank());
    other->LoadPresetDefaults();
    const Result result = LoadBankFile(QFile::encodeName(path).toStdString(), *other, nullptr);
    if (!result) {
        ShowWarning(this, Str(IDS_FILE_NOT_READ)
                              .arg(QDir::toNativeSeparators(path),
                                   QString::fromLocal8Bit(result.message())));
        return;
    }
    CCompareDlg dialog(doc, *other, QFileInfo(path).fileName(), this);
    dialog.exec();
}

void CMainFrame::OnCompareKeyboard() {
    // The same Load all as Presets > Load All Presets, into a bank of its own: the document is
    // never touched by it.
    const std::unique_ptr<Bank> other = transfers.ReceiveBank(false);
    if (!other) {
        return;
    }
    CCompareDlg dialog(doc, *other, Str(IDS_COMPARE_KEYBOARD), this);
    dialog.exec();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // Opened after the drop has finished, so the source application is not kept waiting by
    // the save prompt.
    QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}
