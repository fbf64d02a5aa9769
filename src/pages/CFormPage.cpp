#include "CFormPage.h"

#include "AccessibleControls.h"
#include "CStepSpinBox.h"

#include "app/CAppDoc.h"
#include "app/CEditorApp.h"

#include <QScrollArea>
#include <QVBoxLayout>

CFormPage::CFormPage(CEditorApp& application, CAppDoc& document, QWidget* parent)
    : QWidget(parent), app(application), doc(document), form(new QWidget) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control; the scroll area follows the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(form);
    layout->addWidget(scroll);
    connect(&doc, &CAppDoc::Updated, this, [this](int) { RefreshOrDefer(); });
    // Which controls apply depends on the keyboard type.
    connect(&app, &CEditorApp::KeyboardTypeChanged, this, [this](int) { RefreshOrDefer(); });
}

CFormPage::~CFormPage() {
    for (QWidget* control : findChildren<QWidget*>())
        control->blockSignals(true);
    disconnect(&doc, nullptr, this, nullptr);
    disconnect(&app, nullptr, this, nullptr);
}

void CFormPage::RefreshOrDefer() {
    // Behind another tab nobody sees the controls: reloading them (and laying out their texts)
    // waits until the page is shown, which happens before it paints.
    const QWidget* holder = parentWidget();
    if (!isVisible() && holder && holder->isVisible()) {
        stale = true;
        return;
    }
    stale = false;
    Refresh();
}

void CFormPage::showEvent(QShowEvent* event) {
    if (!madeAccessible) {
        // Once every control is built, also those a page adds after its own constructor.
        madeAccessible = true;
        MakeAccessible(this);
    }
    if (stale) {
        stale = false;
        Refresh();
    }
    QWidget::showEvent(event);
}

const presetor::Preset& CFormPage::Current() const {
    return doc.GetBank().Current();
}

int CFormPage::CurrentIndex() const {
    return doc.GetBank().CurrentIndex();
}

int CFormPage::KeyboardType() const {
    return doc.GetBank().keyboardType;
}

void CFormPage::Modify(const QString& what, const std::function<void(presetor::Preset&)>& change,
                       int mergeKey) {
    presetor::Preset changed(Current());
    change(changed);
    if (changed.SameData(Current()))
        return;
    // A typed value is an undo step of its own; only a held or repeated arrow folds its steps
    // into one.
    if (const auto* spin = qobject_cast<const CStepSpinBox*>(sender());
        spin && spin->IsTakingTypedValue())
        mergeKey = 0;
    doc.ModifyPreset(CurrentIndex(), what, change, mergeKey);
}
