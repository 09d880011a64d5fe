#pragma once
// The program's windows: one application-wide instance per window class,
// created on its first reference.
//
//   load<W>()    constructs W and runs its load handler, without showing it;
//                a window that is already loaded is only returned.
//   show<W>()    loads W if needed, shows it and brings it to the front.
//   showModal<W>()  the same for a dialog, which runs modal until it hides.
//   unload<W>()  runs W's unload handler and destroys it; the next reference
//                creates a new one.
//
// A window class is a QWidget with a default constructor. It may declare
//   static constexpr WindowPlacement kPlacement   (TopLevel when absent)
//   void onLoad();          its load handler
//   bool onQueryUnload();   closing from its frame: false keeps it loaded
//   void onUnload();        its unload handler
// Tool windows (MdiChild) open inside the MDI area that the MDI host gives
// (the main window's); without a host they open as top-level windows. The
// first showing after a load fits the frame to what the window holds then.
// Closing a window from its frame unloads it unless onQueryUnload says no.
// Destruction is deferred to the event loop, so a window may unload itself
// from its own handlers.
//
// A window's command (a load, "Read All", "Write All", a user's change) may
// yield to the event loop inside its bus transfers, and an unload asked for
// meanwhile, by code or a timer, must not destroy a window whose command is
// still running. Each command holds the registry while it runs (the tools'
// command runner does): an unloaded window is hidden and gone from the
// registry at once, so the next reference loads a new one, but it is
// destroyed only after the last running command has ended.

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

class QMdiArea;

namespace trelvane {

enum class WindowPlacement { TopLevel, MdiChild };

class WindowRegistry : public QObject {
    Q_OBJECT
public:
    using MdiHost = std::function<QMdiArea*()>;

    // The newest registry becomes the current one until it is destroyed.
    WindowRegistry();
    // Destroys every window still loaded, newest first, without their handlers.
    ~WindowRegistry() override;
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    // The program's registry; throws std::logic_error when there is none.
    static WindowRegistry& current();

    // Held for the run of one command; without a registry it holds nothing.
    class [[nodiscard]] CommandHold {
    public:
        CommandHold();
        ~CommandHold();
        CommandHold(const CommandHold&) = delete;
        CommandHold& operator=(const CommandHold&) = delete;

    private:
        QPointer<WindowRegistry> registry_;
    };

    void setMdiHost(MdiHost host) { mdiHost_ = std::move(host); }

    template <class W> W* find() const { return static_cast<W*>(findWindow(typeid(W))); }

    template <class W> W& load() {
        if (W* existing = find<W>())
            return *existing;
        auto created = std::make_unique<W>();
        W& window = *created;
        Handlers handlers;
        if constexpr (requires { window.onQueryUnload(); })
            handlers.queryUnload = [&window] { return window.onQueryUnload(); };
        if constexpr (requires { window.onUnload(); })
            handlers.unload = [&window] { window.onUnload(); };
        adopt(typeid(W), std::move(created), placementOf<W>(), std::move(handlers));
        if constexpr (requires { window.onLoad(); }) {
            try {
                window.onLoad();
            } catch (...) {
                discard(typeid(W));
                throw;
            }
        }
        return window;
    }

    template <class W> W& show() {
        W& window = load<W>();
        present(window);
        return window;
    }

    // Shows a dialog modal; returns when it has been hidden or unloaded.
    template <class W>
    requires std::is_base_of_v<QDialog, W>
    void showModal() {
        QPointer<W> dialog = &load<W>();
        dialog->exec();
    }

    template <class W> void unload() { unloadWindow(typeid(W)); }

    // The frame a window sits in: its MDI subwindow, or the window itself.
    QWidget* frameOf(const QWidget* window) const;

private:
    struct Handlers {
        std::function<bool()> queryUnload;
        std::function<void()> unload;
    };
    struct Entry {
        std::type_index type;
        QPointer<QWidget> window;
        QPointer<QWidget> frame;
        Handlers handlers;
        bool shown = false; // shown since it was loaded
    };

    template <class W> static constexpr WindowPlacement placementOf() {
        if constexpr (requires { W::kPlacement; })
            return W::kPlacement;
        else
            return WindowPlacement::TopLevel;
    }

    std::vector<Entry>::iterator entryOf(std::type_index type);
    QWidget* findWindow(std::type_index type) const;
    void adopt(std::type_index type, std::unique_ptr<QWidget> window, WindowPlacement placement,
               Handlers handlers);
    void present(QWidget& window);
    void unloadWindow(std::type_index type);
    void discard(std::type_index type);
    void destroyLater(QWidget* frame);
    bool eventFilter(QObject* watched, QEvent* event) override;

    void commandEnded();

    std::vector<Entry> entries_;
    std::vector<QPointer<QWidget>> dying_;
    // Unloaded while a command ran: destroyed when the last command ends.
    std::vector<QPointer<QWidget>> awaitingCommands_;
    int runningCommands_ = 0;
    MdiHost mdiHost_;
    WindowRegistry* previous_ = nullptr;
};

} // namespace trelvane
