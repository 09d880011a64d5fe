#include "app/core/window_registry.h"

#include "app/core/frame_fit.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace trelvane {
namespace {

WindowRegistry*& currentRegistry() {
    static WindowRegistry* registry = nullptr;
    return registry;
}

} // namespace

WindowRegistry::WindowRegistry() : previous_(currentRegistry()) {
    currentRegistry() = this;
}

WindowRegistry::~WindowRegistry() {
    // Windows and their frames are Qt objects: the registry deletes the frame
    // of each one it still holds (a subwindow takes its window with it).
    while (!entries_.empty()) {
        QPointer<QWidget> frame = entries_.back().frame;
        entries_.pop_back();
        delete frame.data();
    }
    for (auto& frame : dying_)
        delete frame.data();
    currentRegistry() = previous_;
}

WindowRegistry& WindowRegistry::current() {
    if (!currentRegistry())
        throw std::logic_error("No window registry exists");
    return *currentRegistry();
}

std::vector<WindowRegistry::Entry>::iterator WindowRegistry::entryOf(std::type_index type) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& entry) { return entry.type == type; });
}

QWidget* WindowRegistry::findWindow(std::type_index type) const {
    for (const auto& entry : entries_)
        if (entry.type == type)
            return entry.window.data(); // null when Qt already destroyed it with its host
    return nullptr;
}

QWidget* WindowRegistry::frameOf(const QWidget* window) const {
    for (const auto& entry : entries_)
        if (entry.window == window)
            return entry.frame.data();
    return nullptr;
}

void WindowRegistry::adopt(std::type_index type, std::unique_ptr<QWidget> window,
                           WindowPlacement placement, Handlers handlers) {
    // A window that Qt destroyed along with its host is no longer loaded.
    std::erase_if(entries_, [&](const Entry& entry) { return entry.type == type; });
    QWidget* frame = window.get();
    QMdiArea* area = placement == WindowPlacement::MdiChild && mdiHost_ ? mdiHost_() : nullptr;
    if (area) {
        auto* subWindow = new QMdiSubWindow; // owned by the area once added
        subWindow->setWidget(window.release());
        subWindow->setWindowTitle(subWindow->widget()->windowTitle());
        subWindow->setWindowIcon(subWindow->widget()->windowIcon());
        area->addSubWindow(subWindow);
        subWindow->hide();
        frame = subWindow;
    } else {
        window.release(); // held by the entry from here on
    }
    frame->installEventFilter(this);
    QWidget* content = area ? static_cast<QMdiSubWindow*>(frame)->widget() : frame;
    entries_.push_back({type, content, frame, std::move(handlers)});
}

void WindowRegistry::present(QWidget& window) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.window == &window; });
    if (found == entries_.end() || !found->frame)
        return;
    QWidget* frame = found->frame.data();
    window.show();
    if (auto* subWindow = qobject_cast<QMdiSubWindow*>(frame); subWindow && !found->shown)
        fitFrameToWindow(*subWindow);
    found->shown = true;
    frame->show();
    // A minimised window comes back as it was before, so its command always shows it.
    if (frame->isMinimized())
        frame->setWindowState(frame->windowState() & ~Qt::WindowMinimized);
    frame->raise();
    if (auto* subWindow = qobject_cast<QMdiSubWindow*>(frame)) {
        if (subWindow->mdiArea())
            subWindow->mdiArea()->setActiveSubWindow(subWindow);
    } else {
        frame->activateWindow();
    }
}

void WindowRegistry::unloadWindow(std::type_index type) {
    const auto found = entryOf(type);
    if (found == entries_.end())
        return;
    Entry entry = std::move(*found);
    entries_.erase(found);
    if (!entry.window)
        return;
    if (entry.handlers.unload)
        entry.handlers.unload();
    destroyLater(entry.frame.data());
}

void WindowRegistry::discard(std::type_index type) {
    const auto found = entryOf(type);
    if (found == entries_.end())
        return;
    QPointer<QWidget> frame = found->frame;
    entries_.erase(found);
    delete frame.data();
}

void WindowRegistry::destroyLater(QWidget* frame) {
    if (!frame)
        return;
    frame->removeEventFilter(this);
    frame->hide();
    if (runningCommands_ > 0)
        awaitingCommands_.emplace_back(frame);
    else
        frame->deleteLater();
    std::erase_if(dying_, [](const QPointer<QWidget>& pending) { return pending.isNull(); });
    dying_.emplace_back(frame);
}

WindowRegistry::CommandHold::CommandHold() : registry_(currentRegistry()) {
    if (registry_)
        ++registry_->runningCommands_;
}

WindowRegistry::CommandHold::~CommandHold() {
    if (registry_)
        registry_->commandEnded();
}

// The deletes are posted from the outermost command, so they run once control
// is back in the event loop that delivered it, not in a yield of the command.
void WindowRegistry::commandEnded() {
    if (--runningCommands_ > 0)
        return;
    const auto frames = std::exchange(awaitingCommands_, {});
    for (const auto& frame : frames)
        if (frame)
            frame->deleteLater();
}

bool WindowRegistry::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Close)
        return false;
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&](const Entry& entry) { return entry.frame == watched; });
    if (found == entries_.end())
        return false;
    // The handler may load or unload other windows: keep copies, not the entry.
    const std::type_index type = found->type;
    const auto queryUnload = found->handlers.queryUnload;
    if (queryUnload && !queryUnload()) {
        event->ignore();
        return true;
    }
    event->accept();
    unloadWindow(type);
    return true;
}

} // namespace trelvane
