#pragma once
// The operating system's build number as text, as the set-up wizard reads it
// to decide which search media the system supports.

#include <QString>

namespace trelvane {

class BuildNumberSource {
public:
    // The build number in decimal ("2600" here); empty when the version
    // query fails.
    QString BuildNumber() const;
};

} // namespace trelvane
