#include "app/shell/settings/data_file_path.h"

#include "platform/home_folder.h"

#include <algorithm>
#include <cctype>

namespace trelvane {
namespace {

bool isDrivePath(const std::string& name) {
    return name.size() >= 3 && std::isalpha(static_cast<unsigned char>(name[0])) &&
           name[1] == ':' && name[2] == '\\';
}

} // namespace

std::string LocalDataFilePath(const std::string& shownName) {
    if (!isDrivePath(shownName))
        return shownName;
    std::string relative = shownName.substr(3);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return vsq::platform::homeFolder().value_or(".") + "/" + relative;
}

} // namespace trelvane
