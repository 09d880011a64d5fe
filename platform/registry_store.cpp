#include "platform/registry_store.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vsq::platform {
namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

bool unescape(const std::string& text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return false;
        }
    }
    return true;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

} // namespace

std::string RegistryStore::defaultPath() {
    if (const char* chosen = std::getenv("VSQ_REGISTRY"); chosen && *chosen)
        return chosen;
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        base = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".";
    return base + "/vsq5540-eval/registry.txt";
}

RegistryStore& RegistryStore::instance() {
    static RegistryStore store(defaultPath());
    return store;
}

RegistryStore::RegistryStore(std::string filePath) : filePath_(std::move(filePath)) { reload(); }

void RegistryStore::reload() {
    keys_.clear();
    loadError_.clear();
    std::ifstream in(filePath_);
    if (!in)
        return; // no file yet: an empty registry
    std::vector<Key> keys;
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        loadError_ = filePath_ + ":" + std::to_string(number) + ": " + why;
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']')
                return fail("key line without closing bracket");
            keys.push_back(Key{line.substr(1, line.size() - 2), {}});
            continue;
        }
        auto fields = splitTabs(line);
        if (keys.empty() || fields.size() != 3 || fields[1].size() != 1)
            return fail("value line is not NAME<TAB>TYPE<TAB>DATA under a key");
        Value value;
        std::string data;
        if (!unescape(fields[0], value.name) || !unescape(fields[2], data))
            return fail("bad escape");
        if (fields[1] == "s") {
            value.value = data;
        } else if (fields[1] == "d") {
            char* end = nullptr;
            unsigned long number32 = std::strtoul(data.c_str(), &end, 10);
            if (data.empty() || *end != '\0' || number32 > 0xFFFFFFFFul)
                return fail("bad 32-bit number");
            value.value = static_cast<std::uint32_t>(number32);
        } else {
            return fail("unknown value type");
        }
        keys.back().values.push_back(std::move(value));
    }
    keys_ = std::move(keys);
}

RegistryStore::Key* RegistryStore::find(const std::string& keyPath) {
    for (auto& key : keys_)
        if (sameIgnoringCase(key.path, keyPath))
            return &key;
    return nullptr;
}

std::optional<RegistryKey> RegistryStore::open(const std::string& keyPath) {
    if (!loadError_.empty() || find(keyPath) == nullptr)
        return std::nullopt;
    return RegistryKey(*this, keyPath);
}

std::optional<RegistryKey> RegistryStore::create(const std::string& keyPath) {
    if (!loadError_.empty())
        return std::nullopt;
    if (find(keyPath) == nullptr) {
        keys_.push_back(Key{keyPath, {}});
        if (!save()) {
            keys_.pop_back();
            return std::nullopt;
        }
    }
    return RegistryKey(*this, keyPath);
}

bool RegistryStore::save() {
    if (!loadError_.empty())
        return false;
    std::ostringstream out;
    for (const auto& key : keys_) {
        out << '[' << key.path << "]\n";
        for (const auto& value : key.values) {
            out << escape(value.name) << '\t';
            if (const auto* text = std::get_if<std::string>(&value.value))
                out << "s\t" << escape(*text) << '\n';
            else
                out << "d\t" << std::get<std::uint32_t>(value.value) << '\n';
        }
    }
    std::error_code ec;
    auto target = std::filesystem::path(filePath_);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    auto temporary = filePath_ + ".tmp";
    {
        std::ofstream file(temporary, std::ios::trunc);
        if (!(file << out.str()) || !file.flush())
            return false;
    }
    return std::rename(temporary.c_str(), filePath_.c_str()) == 0;
}

std::optional<RegistryValue> RegistryKey::query(const std::string& valueName) const {
    const auto* key = store_->find(path_);
    if (key == nullptr)
        return std::nullopt;
    for (const auto& value : key->values)
        if (sameIgnoringCase(value.name, valueName))
            return value.value;
    return std::nullopt;
}

bool RegistryKey::set(const std::string& valueName, const RegistryValue& value) {
    auto* key = store_->find(path_);
    if (key == nullptr)
        return false;
    auto it = std::find_if(key->values.begin(), key->values.end(),
                           [&](const auto& v) { return sameIgnoringCase(v.name, valueName); });
    std::optional<RegistryValue> previous;
    if (it == key->values.end()) {
        key->values.push_back({valueName, value});
    } else {
        previous = it->value;
        it->value = value;
    }
    if (store_->save())
        return true;
    // Keep memory and file in step when the write failed.
    key = store_->find(path_);
    auto again = std::find_if(key->values.begin(), key->values.end(),
                              [&](const auto& v) { return sameIgnoringCase(v.name, valueName); });
    if (previous)
        again->value = *previous;
    else
        key->values.erase(again);
    return false;
}

} // namespace vsq::platform
