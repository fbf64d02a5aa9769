// The page tabs: eleven editor pages made by the page factory, alive for the whole run, one
// shown at a time. The selected tab's label is bold; each label has its own colour, and the
// split tabs are dark green while their split is active and red while it is not. The first page
// is made at once; each other page when its tab is first shown (or all at once when asked for),
// so start-up builds one page, not eleven.
#pragma once

#include "PageFactory.h"

#include <QColor>
#include <QTabWidget>

class CAppDoc;
class CEditorApp;

class CTabView final : public QTabWidget {
    Q_OBJECT

public:
    static inline const QColor kActiveSplit{0, 128, 0};
    static inline const QColor kInactiveSplit{255, 0, 0};

    CTabView(CEditorApp& app, CAppDoc& doc, const PageFactory& factory, QWidget* parent = nullptr);

    // Shows the page with that index; -1 or the current index change nothing.
    void SetActivePage(int index);
    // Sets the label colour of the tab holding page; a page not in the tabs changes nothing.
    void SetTabColor(QWidget* page, const QColor& colour);
    // Index of the tab holding page, or -1.
    int FindPage(QWidget* page) const;
    QString GetTabLabel(int index) const;
    QColor GetTabColor(int index) const;

    // Makes the pages not made yet; every call after the first does nothing.
    void CreatePendingPages();
    bool HasPendingPages() const { return !pendingLabels.isEmpty(); }

private:
    // Makes the page of the tab at index if its tab still holds a stand-in; a page that cannot
    // be made takes its tab with it. True when a tab was removed.
    bool MakePage(int index);
    void ColourSplitTabs();

    CEditorApp& app;
    CAppDoc& doc;
    PageFactory factory;
    // Labels whose tab holds a stand-in until its page is made.
    QStringList pendingLabels;
};
