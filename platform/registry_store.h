#pragma once
// A small stand-in for the machine-wide registry: keys by path (matched
// without regard to case), each with a default value (the empty name) and
// named values that are texts or 32-bit numbers. Kept in a text file:
//
//   [SOFTWARE\Maker\Program\Key]
//   <TAB>s<TAB>True            the default value, a text
//   Count<TAB>d<TAB>42         a named 32-bit number
//
// Tabs, newlines and backslashes in names and texts are escaped (\t \n \\).
// Keys and value names are matched without regard to case; keys that differ
// only in case are one key, and a later line of a value replaces an earlier one.
// Every change is written at once, atomically (a temporary file, then rename).
// Only a regular file of at most kMostFileBytes is read: anything else (a
// FIFO, a folder, a device) is refused without waiting on it. A damaged line is
// skipped (with the values under a damaged key line) and named on standard
// error, and the good lines still count; while the file holds anything that
// could not be read, the store leaves it untouched and refuses writes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vsq::platform {

using RegistryValue = std::variant<std::string, std::uint32_t>;

class RegistryStore;

// An open key. Closing is letting it go.
class RegistryKey {
public:
    const std::string& path() const { return path_; }
    std::optional<RegistryValue> query(const std::string& valueName) const;
    // False when the store cannot be written (unparsable file, I/O failure).
    bool set(const std::string& valueName, const RegistryValue& value);

private:
    friend class RegistryStore;
    RegistryKey(RegistryStore& store, std::string path) : store_(&store), path_(std::move(path)) {}
    RegistryStore* store_;
    std::string path_;
};

class RegistryStore {
public:
    // The store of this user: VSQ_REGISTRY, else $XDG_CONFIG_HOME (or
    // ~/.config)/vsq5540-eval/registry.txt.
    static RegistryStore& instance();
    static std::string defaultPath();
    // The program's own configuration folder, whatever VSQ_REGISTRY says:
    // $XDG_CONFIG_HOME (or ~/.config)/vsq5540-eval.
    static std::string configFolder();

    static constexpr std::size_t kMostFileBytes = 1 << 20;

    explicit RegistryStore(std::string filePath);

    // Opens an existing key; never creates one.
    std::optional<RegistryKey> open(const std::string& keyPath);
    // Opens a key, creating it (and writing the file) when it is missing.
    std::optional<RegistryKey> create(const std::string& keyPath);

    // Reads the file again (another program may have changed it).
    void reload();
    // Empty when the file was read whole (or is absent); otherwise what could
    // not be read, one line each ("<file>:<line>: <why>").
    const std::string& loadError() const { return loadError_; }
    // The file as a whole was not read (not a regular file, too large,
    // unreadable), as against a file with damaged lines.
    bool fileRefused() const { return fileRefused_; }
    const std::string& filePath() const { return filePath_; }

private:
    friend class RegistryKey;
    struct Value {
        std::string name;
        RegistryValue value;
    };
    struct Key {
        std::string path;
        std::vector<Value> values;
    };

    Key* find(const std::string& keyPath);
    bool save();
    void parse(const std::string& text);
    void problem(const std::string& where, const std::string& why);

    std::string filePath_;
    std::vector<Key> keys_;
    std::string loadError_;
    bool fileRefused_ = false;
};

} // namespace vsq::platform
