#include "shell/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "document/CORVDoc.h"
#include "document/DocumentCommands.h"
#include "shell/AboutBox.h"
#include "shell/GeneralOptionsDialog.h"
#include "shell/Icons.h"
#include "shell/ImageExport.h"
#include "shell/ShowHideDialog.h"
#include "view/CORVView.h"

const char* const kMainWindowTitle = "Orvelle 1.3";

namespace {

const char* const kRecentGroup = "Recent File List";
const char* const kWindowGroup = "Window";

QString QText(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CMainFrame::CMainFrame(CORVDoc& doc, QWidget* parent) : QMainWindow(parent), doc_(doc) {
    setWindowIcon(ApplicationIcon());
    view_ = new CORVView(doc_, this);
    setCentralWidget(view_);
    view_->setFocus();

    buildHandlers();
    buildMenus();
    buildToolbars();
    buildStatusBar();
    loadRecentFiles();
    restoreWindowLayout();

    connect(view_, &CORVView::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(view_, &CORVView::panModeChanged, this, [this](bool) { refreshCommands(); });
    connect(view_, &CORVView::documentChanged, this, [this] { refreshCommands(); });
    showDocumentTitle(doc_.GetTitle().empty() ? "Untitled" : doc_.GetTitle());
    refreshCommands();
}

QAction* CMainFrame::action(const Command& command) const {
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

QAction* CMainFrame::actionFor(const Command& command) {
    if (QAction* existing = action(command)) {
        return existing;
    }
    auto* a = new QAction(QText(CommandLabel(command)), this);
    a->setCheckable(IsCheckableCommand(command));
    a->setIcon(CommandIcon(command));
    a->setToolTip(QText(CommandLabel(command)));
    a->setShortcut(QKeySequence(QText(CommandShortcut(command)), QKeySequence::PortableText));
    connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    actions_[command] = a;
    return a;
}

void CMainFrame::on(const Command& command, Handler handler) {
    handlers_[command] = std::move(handler);
}

void CMainFrame::buildHandlers() {
    on({CommandId::FileNew}, [this] { newDocument(); });
    on({CommandId::Exit}, [this] { close(); });
    on({CommandId::ViewToolbar},
       [this] { setToolbarsVisible(!toolbars_.empty() && toolbars_.front()->isHidden()); });
    on({CommandId::ViewStatusBar}, [this] { statusBar()->setVisible(statusBar()->isHidden()); });
    on({CommandId::ShowHide}, [this] { showHideDialog(); });
    on({CommandId::ZoomExtent}, [this] { view_->zoomExtent(); });
    on({CommandId::ZoomIn}, [this] { view_->zoomIn(); });
    on({CommandId::ZoomOut}, [this] { view_->zoomOut(); });
    on({CommandId::Pan}, [this] { view_->setPanMode(!view_->panMode()); });
    on({CommandId::FileOpen}, [this] {
        doc_.OnFileOpen();
        fitViewNeverSet();
    });
    on({CommandId::GeneralOptions}, [this] { generalOptions(); });
    on({CommandId::About}, [this] { showAbout(); });
    on({CommandId::ExportImage}, [this] { exportImage(); });
    // Everything else the menus and toolbars hold that the document can do.
    for (const MenuEntry& top : MenuBarLayout()) {
        bindDocumentCommands(top.children);
    }
    for (const ToolbarLayout& bar : ToolbarLayouts()) {
        bindDocumentCommands(bar.buttons);
    }
}

void CMainFrame::bindDocumentCommands(const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Kind::Command && IsDocumentCommand(e.command) &&
            handlers_.count(e.command) == 0) {
            const Command command = e.command;
            on(command, [this, command] { RunDocumentCommand(doc_, command); });
        }
        bindDocumentCommands(e.children);
    }
}

void CMainFrame::buildMenus() {
    for (const MenuEntry& top : MenuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(QText(top.text));
        buildMenu(menu, top.children);
        menu->setEnabled(top.enabled);
    }
}

void CMainFrame::buildMenu(QMenu* menu, const std::vector<MenuEntry>& entries) {
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::refreshCommands);
    for (const MenuEntry& e : entries) {
        switch (e.kind) {
            case MenuEntry::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuEntry::Kind::Submenu: {
                QMenu* sub = menu->addMenu(QText(e.text));
                buildMenu(sub, e.children);
                sub->setEnabled(e.enabled);
                break;
            }
            case MenuEntry::Kind::RecentFiles:
                recentMenu_ = menu;
                recentAnchor_ = menu->addAction(QText(e.text));
                recentAnchor_->setEnabled(false);
                break;
            case MenuEntry::Kind::Command: {
                QAction* a = actionFor(e.command);
                // The menu text keeps its mnemonic and its shortcut hint after the tab.
                a->setText(QText(e.text));
                menu->addAction(a);
                break;
            }
        }
    }
}

void CMainFrame::buildToolbars() {
    for (const ToolbarLayout& layout : ToolbarLayouts()) {
        QToolBar* bar = new QToolBar(QText(layout.title), this);
        bar->setObjectName(QText(layout.title));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setIconSize(QSize(24, 24));
        for (const MenuEntry& e : layout.buttons) {
            if (e.kind == MenuEntry::Kind::Separator) {
                bar->addSeparator();
            } else {
                bar->addAction(actionFor(e.command));
            }
        }
        // All four in one row, each to the right of the one before.
        addToolBar(Qt::TopToolBarArea, bar);
        toolbars_.push_back(bar);
    }
}

void CMainFrame::buildStatusBar() {
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(indicator), this);
        label->setEnabled(false);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
    }
    statusBar()->showMessage(QStringLiteral("Ready"));
}

QSize CMainFrame::defaultSize() const {
    // Wide enough for the four toolbars in their one row, as far as the screen allows (leaving
    // room for the window's frame); in a narrower window each toolbar folds the buttons it has no
    // room for into its extension menu.
    QSize size = sizeHint().expandedTo(QSize(1024, 720));
    if (const QScreen* s = screen()) {
        size = size.boundedTo(s->availableSize() * 0.9);
    }
    return size;
}

bool CMainFrame::runCommand(const Command& command) {
    refreshCommands();
    QAction* a = action(command);
    const auto handler = handlers_.find(command);
    if (handler == handlers_.end() || (a != nullptr && !a->isEnabled())) {
        return false;
    }
    handler->second();
    refreshCommands();
    return true;
}

void CMainFrame::refreshCommands() {
    const CommandContext context = CommandContextOf(doc_, view_->panMode());
    for (const auto& [command, a] : actions_) {
        const CommandState state = CommandStateOf(command, context);
        a->setEnabled(state.enabled && handlers_.count(command) != 0);
        if (command.id == CommandId::ViewToolbar) {
            a->setChecked(!toolbars_.empty() && !toolbars_.front()->isHidden());
        } else if (command.id == CommandId::ViewStatusBar) {
            a->setChecked(!statusBar()->isHidden());
        } else if (a->isCheckable()) {
            a->setChecked(state.checked);
        }
    }
}

void CMainFrame::showDocumentTitle(const std::string& title) {
    setWindowTitle(QText(title) + QStringLiteral(" - ") + QString::fromLatin1(kMainWindowTitle));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The document is never marked as modified, so closing asks nothing.
    saveWindowLayout();
    event->accept();
}

void CMainFrame::restoreWindowLayout() {
    QSettings settings(QStringLiteral("ORV"), QStringLiteral("Orvelle"));
    settings.beginGroup(QString::fromLatin1(kWindowGroup));
    if (!restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray())) {
        resize(defaultSize());
    }
    restoreState(settings.value(QStringLiteral("state")).toByteArray());
}

void CMainFrame::saveWindowLayout() {
    QSettings settings(QStringLiteral("ORV"), QStringLiteral("Orvelle"));
    settings.beginGroup(QString::fromLatin1(kWindowGroup));
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("state"), saveState());
}

bool CMainFrame::importDrawing(const QString& path) {
    const bool imported =
        doc_.ImportDxfFile(path.toStdString()) == CORVDoc::ImportOutcome::Imported;
    refreshCommands();
    return imported;
}

void CMainFrame::exportImage() {
    const std::optional<std::string> path =
        doc_.ui().chooseSaveFile(kImageExportFilter, "png", std::string());
    if (!path) {
        return;
    }
    if (const auto error = ExportViewImage(*view_, QString::fromStdString(*path))) {
        doc_.ui().message(*error);
    }
}

void CMainFrame::newDocument() {
    doc_.OnNewDocument();
    view_->initialUpdate();
    showDocumentTitle(doc_.GetTitle());
}

void CMainFrame::setToolbarsVisible(bool visible) {
    for (QToolBar* bar : toolbars_) {
        bar->setVisible(visible);
    }
}

void CMainFrame::showAbout() {
    AboutBox(this).exec();
}

void CMainFrame::showHideDialog() {
    ShowHideDialog dialog(doc_.m_settings.m_show, this);
    if (dialog.exec() == QDialog::Accepted) {
        doc_.m_settings.m_show = dialog.flags();
        doc_.ui().redrawAll();
    }
}

void CMainFrame::generalOptions() {
    RunGeneralOptions(doc_, this);
}

void CMainFrame::loadRecentFiles() {
    QSettings settings(QStringLiteral("ORV"), QStringLiteral("Orvelle"));
    settings.beginGroup(QString::fromLatin1(kRecentGroup));
    std::vector<std::string> stored;
    for (size_t i = 1; i <= RecentFileList::kCapacity; ++i) {
        stored.push_back(settings.value(QStringLiteral("File%1").arg(i)).toString().toStdString());
    }
    recentFiles_ = RecentFileList(stored);
    fillRecentFilesMenu();
}

void CMainFrame::addRecentFile(const std::string& path) {
    recentFiles_.add(path);
    QSettings settings(QStringLiteral("ORV"), QStringLiteral("Orvelle"));
    settings.beginGroup(QString::fromLatin1(kRecentGroup));
    const auto& entries = recentFiles_.entries();
    for (size_t i = 0; i < RecentFileList::kCapacity; ++i) {
        const QString key = QStringLiteral("File%1").arg(i + 1);
        if (i < entries.size()) {
            settings.setValue(key, QText(entries[i]));
        } else {
            settings.remove(key);
        }
    }
    fillRecentFilesMenu();
}

void CMainFrame::fillRecentFilesMenu() {
    if (recentMenu_ == nullptr) {
        return;
    }
    for (QAction* old : recentMenu_->actions()) {
        if (old->property("recentFile").isValid()) {
            recentMenu_->removeAction(old);
            old->deleteLater();
        }
    }
    const auto& entries = recentFiles_.entries();
    recentAnchor_->setVisible(entries.empty());
    QAction* before = recentAnchor_;
    for (size_t i = entries.size(); i-- > 0;) {
        const QString path = QText(entries[i]);
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), recentMenu_);
        a->setProperty("recentFile", path);
        connect(a, &QAction::triggered, this, [this, path] { openDocument(path); });
        recentMenu_->insertAction(before, a);
        before = a;
    }
}

bool CMainFrame::openDocument(const QString& path) {
    if (!doc_.OpenDocument(path.toStdString())) {
        recentFiles_.remove(path.toStdString());
        fillRecentFilesMenu();
        return false;
    }
    fitViewNeverSet();
    refreshCommands();
    return true;
}

void CMainFrame::fitViewNeverSet() {
    // The reset view state shows the plan's origin at the window's corner at one logical unit
    // per plan unit; such a document opens fitted to the window instead.
    view_->fitIfNeverViewed();
}

WidgetDocumentUi::Hooks WindowHooks(CMainFrame& frame) {
    WidgetDocumentUi::Hooks hooks;
    hooks.redraw = [&frame] {
        frame.view().update();
        frame.refreshCommands();
    };
    hooks.title = [&frame](const std::string& title) { frame.showDocumentTitle(title); };
    hooks.generalOptions = [&frame] { frame.generalOptions(); };
    hooks.zoomExtent = [&frame] { frame.runCommand({CommandId::ZoomExtent}); };
    hooks.recentFile = [&frame](const std::string& path) { frame.addRecentFile(path); };
    return hooks;
}
