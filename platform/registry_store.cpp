#include "platform/registry_store.h"

#include "platform/file_replacement.h"
#include "platform/home_folder.h"
#include "platform/setup_report.h"
#include "platform/small_file_reading.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
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
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
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
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return false;
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

std::string RegistryStore::configFolder() {
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        base = config;
    else if (const auto home = homeFolder())
        base = *home + "/.config";
    else
        base = ".";
    return base + "/vsq5540-eval";
}

std::string RegistryStore::defaultPath() {
    if (const char* chosen = std::getenv("VSQ_REGISTRY"); chosen && *chosen)
        return chosen;
    return configFolder() + "/registry.txt";
}

RegistryStore& RegistryStore::instance() {
    static RegistryStore store(defaultPath());
    return store;
}

RegistryStore::RegistryStore(std::string filePath) : filePath_(std::move(filePath)) {
    reload();
}

void RegistryStore::problem(const std::string& where, const std::string& why) {
    const std::string text = filePath_ + where + ": " + why;
    if (!loadError_.empty())
        loadError_ += '\n';
    loadError_ += text;
    reportSetupProblem("registry " + text);
}

void RegistryStore::reload() {
    keys_.clear();
    loadError_.clear();
    const SmallFile file = readSmallRegularFile(filePath_, kMostFileBytes);
    fileRefused_ = !file.why.empty();
    if (fileRefused_) {
        problem("", file.why + "; not read, and changes are not saved");
        return;
    }
    parse(file.text);
    if (!loadError_.empty())
        reportSetupProblem("registry " + filePath_ +
                           ": the other lines count; changes are not saved until it is mended");
}

void RegistryStore::parse(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    Key* current = nullptr;
    bool keyDamaged = false;
    const auto skip = [&](const std::string& why) {
        problem(":" + std::to_string(number), why + "; line skipped");
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line.front() == '[') {
            keyDamaged = line.size() < 2 || line.back() != ']';
            if (keyDamaged) {
                skip("key line without closing bracket (its values are skipped with it)");
                current = nullptr;
                continue;
            }
            const std::string path = line.substr(1, line.size() - 2);
            current = find(path);
            if (current == nullptr) {
                keys_.push_back(Key{path, {}});
                current = &keys_.back();
            }
            continue;
        }
        if (keyDamaged)
            continue;
        auto fields = splitTabs(line);
        if (current == nullptr || fields.size() != 3 || fields[1].size() != 1) {
            skip("value line is not NAME<TAB>TYPE<TAB>DATA under a key");
            continue;
        }
        Value value;
        std::string data;
        if (!unescape(fields[0], value.name) || !unescape(fields[2], data)) {
            skip("bad escape");
            continue;
        }
        if (fields[1] == "s") {
            value.value = data;
        } else if (fields[1] == "d") {
            std::uint32_t number32 = 0;
            const auto* last = data.data() + data.size();
            const auto [end, error] = std::from_chars(data.data(), last, number32);
            if (data.empty() || error != std::errc() || end != last) {
                skip("bad 32-bit number");
                continue;
            }
            value.value = number32;
        } else {
            skip("unknown value type");
            continue;
        }
        auto same =
            std::find_if(current->values.begin(), current->values.end(),
                         [&](const auto& v) { return sameIgnoringCase(v.name, value.name); });
        if (same == current->values.end())
            current->values.push_back(std::move(value));
        else
            same->value = std::move(value.value);
    }
}

RegistryStore::Key* RegistryStore::find(const std::string& keyPath) {
    for (auto& key : keys_)
        if (sameIgnoringCase(key.path, keyPath))
            return &key;
    return nullptr;
}

std::optional<RegistryKey> RegistryStore::open(const std::string& keyPath) {
    if (find(keyPath) == nullptr)
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
    if (const auto failure = replaceFileContents(filePath_, out.str())) {
        reportSetupProblem("registry " + filePath_ + ": " + *failure + "; changes are not saved");
        return false;
    }
    return true;
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
