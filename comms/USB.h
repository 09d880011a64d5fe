#pragma once
// The USB medium: a placeholder without transport. Both members succeed and do
// nothing.

namespace brisendal {

class USB {
public:
    void OpenUSBPort() {}
    void CloseUSBPort() {}
};

} // namespace brisendal
