// MIDI monitor panel.
#include "CMidiMonitor.h"

#include "CEditorApp.h"
#include "Messages.h"
#include "Strings.h"

#include "model/FileIo.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

using namespace presetor;

namespace {

enum Column { kTime, kDirection, kPort, kLength, kBytes, kMeaning, kColumnCount };

QString TimeText(std::int64_t ms) {
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString DirectionText(MidiDirection d) {
    return Str(d == MidiDirection::Sent ? IDS_MONITOR_SENT : IDS_MONITOR_RECEIVED);
}

} // namespace

// The log as a table; it is reset after each batch of traffic (the log drops old entries from
// the front, which a reset shows most simply).
class TrafficModel final : public QAbstractTableModel {
public:
    TrafficModel(const MidiMonitorLog& entries, QObject* parent)
        : QAbstractTableModel(parent), log(entries) {}

    void Reset() {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(log.Entries().size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : kColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount({})) {
            return {};
        }
        const MidiLogEntry& e = log.Entries()[static_cast<std::size_t>(index.row())];
        if (role == Qt::TextAlignmentRole && index.column() == kLength) {
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        switch (index.column()) {
        case kTime:
            return TimeText(e.timeMs);
        case kDirection:
            return DirectionText(e.direction);
        case kPort:
            return QString::fromStdString(e.port);
        case kLength:
            return static_cast<qulonglong>(e.length);
        case kBytes:
            return QString::fromStdString(e.bytes);
        default:
            return QString::fromStdString(e.meaning);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        static const int ids[kColumnCount] = {IDS_MONITOR_TIME,  IDS_MONITOR_DIRECTION,
                                              IDS_MONITOR_PORT,  IDS_MONITOR_LENGTH,
                                              IDS_MONITOR_BYTES, IDS_MONITOR_MEANING};
        return section >= 0 && section < kColumnCount ? Str(ids[section]) : QString();
    }

private:
    const MidiMonitorLog& log;
};

CMidiMonitor::CMidiMonitor(CEditorApp& application, QWidget* parent)
    : QDockWidget(Str(IDS_MONITOR_TITLE), parent), app(application) {
    setObjectName(QStringLiteral("midiMonitor"));
    auto* body = new QWidget(this);
    model = new TrafficModel(log, this);
    table = new QTableView(body);
    table->setObjectName(QStringLiteral("monitorTable"));
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    const QFontMetrics m = table->fontMetrics();
    table->setColumnWidth(kTime, m.horizontalAdvance(QStringLiteral("00:00:00.000")) + 16);
    table->setColumnWidth(kDirection, m.horizontalAdvance(Str(IDS_MONITOR_RECEIVED)) + 16);
    table->setColumnWidth(kPort, m.horizontalAdvance(QStringLiteral("Virtual LMK4")) + 16);
    table->setColumnWidth(kLength, m.horizontalAdvance(QStringLiteral("199999")) + 16);
    table->setColumnWidth(kBytes, m.horizontalAdvance(QStringLiteral("F0 ")) * 10 + 16);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    auto* clear = new QPushButton(Str(IDS_MONITOR_CLEAR), body);
    clear->setObjectName(QStringLiteral("monitorClear"));
    auto* save = new QPushButton(Str(IDS_MONITOR_SAVE), body);
    save->setObjectName(QStringLiteral("monitorSave"));
    connect(clear, &QPushButton::clicked, this, &CMidiMonitor::Clear);
    connect(save, &QPushButton::clicked, this, &CMidiMonitor::OnSave);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(save);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(table);
    layout->addLayout(buttons);
    setWidget(body);
}

CMidiMonitor::~CMidiMonitor() {
    Listen(false);
}

void CMidiMonitor::Listen(bool on) {
    if (on != listening) {
        app.Midi().SetTrafficObserver(on ? this : nullptr);
        listening = on;
    }
}

void CMidiMonitor::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    Listen(true);
}

void CMidiMonitor::hideEvent(QHideEvent* event) {
    QDockWidget::hideEvent(event);
    Listen(false);
}

void CMidiMonitor::OnMidiTraffic(MidiDirection direction, const std::string& port,
                                 std::span<const std::uint8_t> bytes) {
    if (QThread::currentThread() != thread()) {
        // A send from another thread: the bytes are copied and listed on the window's thread.
        QMetaObject::invokeMethod(
            this,
            [this, direction, port, copy = std::vector<std::uint8_t>(bytes.begin(), bytes.end())] {
                if (listening) {
                    OnMidiTraffic(direction, port, copy);
                }
            },
            Qt::QueuedConnection);
        return;
    }
    if (log.Feed(direction, port, bytes, QDateTime::currentMSecsSinceEpoch()) > 0) {
        model->Reset();
        table->scrollToBottom();
    }
}

void CMidiMonitor::Clear() {
    log.Clear();
    model->Reset();
}

QString CMidiMonitor::Text() const {
    QString text;
    for (const MidiLogEntry& e : log.Entries()) {
        text +=
            QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                .arg(TimeText(e.timeMs), DirectionText(e.direction), QString::fromStdString(e.port))
                .arg(e.length)
                .arg(QString::fromStdString(e.bytes), QString::fromStdString(e.meaning));
    }
    return text;
}

bool CMidiMonitor::SaveText(const QString& path, QString* error) const {
    const QByteArray bytes = Text().toUtf8();
    const Result r =
        WriteFileAtomically(QFile::encodeName(path).toStdString(),
                            std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    if (!r && error) {
        *error = Str(IDS_FILE_NOT_WRITTEN).arg(path, QString::fromLocal8Bit(r.message()));
    }
    return r.ok();
}

void CMidiMonitor::OnSave() {
    QString path =
        QFileDialog::getSaveFileName(this, Str(IDS_MONITOR_SAVE).remove(QLatin1Char('&')),
                                     QStringLiteral("midi-monitor.txt"), Str(IDS_FILTER_TEXT));
    if (path.isEmpty()) {
        return;
    }
    QString error;
    if (!SaveText(path, &error)) {
        ShowWarning(this, error);
    }
}
