#include "app/shell/build_number_source.h"

#include "platform/os_version.h"

namespace trelvane {

QString BuildNumberSource::BuildNumber() const {
    vsq::platform::OsVersionInfo info;
    if (!vsq::platform::getVersionEx(info))
        return {};
    return QString::number(info.buildNumber);
}

} // namespace trelvane
