// The main window: menus, the four toolbars, the status bar and the routing of every command to
// the document or the view. Enabled and checked states come from the availability rules.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <vector>

#include "document/CommandAvailability.h"
#include "shell/MenuLayout.h"
#include "shell/RecentFileList.h"
#include "shell/WidgetDocumentUi.h"

class CORVDoc;
class CORVView;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

// Orders commands so they can key a map.
struct CommandLess {
    bool operator()(const Command& a, const Command& b) const {
        return a.id != b.id ? a.id < b.id : a.code < b.code;
    }
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(CORVDoc& doc, QWidget* parent = nullptr);

    CORVView& view() { return *view_; }
    // The action of a command (null for a command the window does not show).
    QAction* action(const Command& command) const;
    const std::vector<QToolBar*>& toolbars() const { return toolbars_; }

    // Runs a command as if chosen from a menu; false when it is unavailable.
    bool runCommand(const Command& command);
    // Opens a document file by path (command line, recent files).
    bool openDocument(const QString& path);
    // Imports a drawing by path through the layer dialog (command line); true when imported.
    bool importDrawing(const QString& path);
    // "Export Image...": the view with its legend as a PNG or SVG file.
    void exportImage();
    // Recomputes every action's enabled and checked state from the document.
    void refreshCommands();
    // Shows the document title next to the program's.
    void showDocumentTitle(const std::string& title);

    // The size the window opens with: room for the toolbars, within the screen.
    QSize defaultSize() const;

    const RecentFileList& recentFiles() const { return recentFiles_; }
    // Puts a document path first in the recent-file list (kept under "ORV").
    void addRecentFile(const std::string& path);
    // The General Options dialog on the document.
    void generalOptions();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    using Handler = std::function<void()>;

    void buildHandlers();
    void bindDocumentCommands(const std::vector<MenuEntry>& entries);
    void buildMenus();
    void buildMenu(QMenu* menu, const std::vector<MenuEntry>& entries);
    void buildToolbars();
    void buildStatusBar();
    QAction* actionFor(const Command& command);
    void on(const Command& command, Handler handler);

    void fillRecentFilesMenu();
    void loadRecentFiles();
    // Size, position and toolbar layout, kept under "ORV" between runs.
    void restoreWindowLayout();
    void saveWindowLayout();

    // Command bodies.
    void newDocument();
    void fitViewNeverSet();
    void setToolbarsVisible(bool visible);
    void showAbout();
    void showHideDialog();

    CORVDoc& doc_;
    CORVView* view_ = nullptr;
    std::map<Command, QAction*, CommandLess> actions_;
    std::map<Command, Handler, CommandLess> handlers_;
    std::vector<QToolBar*> toolbars_;
    QMenu* recentMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;
    RecentFileList recentFiles_;
};

// What the document's UI port does in this window: redraw, title, options, zoom, recent files.
WidgetDocumentUi::Hooks WindowHooks(CMainFrame& frame);

// "Orvelle 1.3", the program's part of the window title.
extern const char* const kMainWindowTitle;
