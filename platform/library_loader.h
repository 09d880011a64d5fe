#pragma once
// Opens a shared library by name the way the program's own libraries are found:
// an absolute or relative path as given, else beside the library holding
// `anchor` (our build and install folders keep them together), else on the
// dynamic loader's search path.

#include <array>
#include <cstddef>
#include <string>

namespace vsq::platform {

// Returns the dlopen handle, or nullptr with `error` set to the loader's reason
// and `present` telling whether the file was there all the same (not a
// library, built for another machine, a library it needs missing...).
void* openLibraryNear(const void* anchor, const std::string& name, std::string& error,
                      bool& present);

// A library bound late: opened by name at the first use of one of its
// functions, each function looked up by name at its first use and kept for
// later calls. The owner numbers its functions (slots 0 .. kMostFunctions - 1).
// A library or function that cannot be found fails the call that needed it
// through the owner's `raise`, with the text "File not found: <library>
// (<reason>)" or "Can't find DLL entry point <function> in <library>"; a
// library file that is there but cannot be loaded, with "Error in loading DLL:
// <library> is there but cannot be loaded (<reason>)".
class LateBoundLibrary {
public:
    static constexpr std::size_t kMostFunctions = 8;

    enum class Missing { Library, Function, LoadableLibrary };
    // Throws the owner's own failed status for `text`; must not return.
    using Raise = void (*)(Missing what, const std::string& text);

    LateBoundLibrary(const void* anchor, std::string name, Raise raise);
    ~LateBoundLibrary();
    LateBoundLibrary(const LateBoundLibrary&) = delete;
    LateBoundLibrary& operator=(const LateBoundLibrary&) = delete;

    // Changing the name drops the current binding.
    void setName(const std::string& name);
    const std::string& name() const { return name_; }

    // The owner's function in `slot`, looked up as `symbol` at its first use.
    template <typename Function> Function function(std::size_t slot, const char* symbol) {
        void* address = slots_[slot];
        if (address == nullptr)
            address = bind(slot, symbol);
        return reinterpret_cast<Function>(address);
    }

    // A function the library may lack: null when it does (a missing library
    // still fails through `raise`). Looked up at every call.
    void* optionalFunction(const char* symbol);

private:
    void* bind(std::size_t slot, const char* symbol);
    void load();
    void unload();

    const void* anchor_;
    std::string name_;
    Raise raise_;
    void* handle_ = nullptr;
    std::array<void*, kMostFunctions> slots_{};
};

} // namespace vsq::platform
