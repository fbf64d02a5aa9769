// Common ground of the editor pages: the objects a page edits, the current preset to read, the
// one way to change it (through the document's seam, skipped when nothing would change), and a
// scrolling form that holds the page's controls. Every document update reloads the page.
#pragma once

#include "model/Preset.h"

#include <QWidget>

#include <functional>

class CAppDoc;
class CEditorApp;

class CFormPage : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFormPage)

public:
    CFormPage(CEditorApp& app, CAppDoc& doc, QWidget* parent);
    // A field left with typed text takes it when it loses the focus; while the page goes, that
    // must not reach the document through a page that is half destroyed.
    ~CFormPage() override;

    // Loads every control from the current preset; runs on every document update, or for a
    // page hidden behind another tab of a shown window, when it is shown again.
    virtual void Refresh() = 0;

protected:
    void showEvent(QShowEvent* event) override;

    const presetor::Preset& Current() const;
    int CurrentIndex() const;
    int KeyboardType() const;
    bool IsLmk4() const { return presetor::HasLmk4Fields(KeyboardType()); }

    // Changes the current preset through the document (one undo step, merged with the previous
    // one of the same non-zero key), unless the change would leave the preset as it is. A value
    // typed into a number field is never merged.
    void Modify(const QString& what, const std::function<void(presetor::Preset&)>& change,
                int mergeKey = 0);

    // The widget that holds the controls; it scrolls when the page is smaller than the form.
    QWidget* Form() const { return form; }

    CEditorApp& app;
    CAppDoc& doc;

private:
    // Reloads now, or marks the page stale while another tab hides it.
    void RefreshOrDefer();

    QWidget* form;
    bool stale = false;
    bool madeAccessible = false;
};

// Merge keys of the page edits, so that a held spin or a typed name is one undo step.
enum class PageEdit : int {
    Name = 1,
    Link,
    MasterChannel,
    Clock,
    UserCtrl,
    Keys,
    Keyboard,
    Transpose,
    Channel,
    Volume,
    Program,
    BankMsb,
    BankLsb,
    Aftertouch,
    Velocity,
};
// Distinct per edit and per split (or controller), and far from the keys of other callers.
constexpr int MergeKey(PageEdit edit, int element = 0) {
    return 0x50000 + static_cast<int>(edit) * 256 + element;
}
