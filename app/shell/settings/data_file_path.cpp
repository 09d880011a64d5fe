#include "app/shell/settings/data_file_path.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace trelvane {
namespace {

bool isDrivePath(const std::string& name) {
    return name.size() >= 3 && std::isalpha(static_cast<unsigned char>(name[0])) &&
           name[1] == ':' && name[2] == '\\';
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) : std::string(".");
}

} // namespace

std::string LocalDataFilePath(const std::string& shownName) {
    if (!isDrivePath(shownName))
        return shownName;
    std::string relative = shownName.substr(3);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return homeFolder() + "/" + relative;
}

} // namespace trelvane
