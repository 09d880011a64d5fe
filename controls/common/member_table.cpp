#include "controls/common/member_table.h"

#include <stdexcept>

namespace vsq::controls {

MemberTable::MemberTable(std::initializer_list<Member> members) : members_(members) {
    for (std::size_t i = 0; i < members_.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (members_[i].id == members_[j].id ||
                members_[i].name.compare(members_[j].name, Qt::CaseInsensitive) == 0) {
                throw std::logic_error("member table: " + members_[i].name.toStdString() +
                                       " repeats the name or number of " +
                                       members_[j].name.toStdString());
            }
        }
    }
}

const Member* MemberTable::find(const QString& name) const {
    for (const Member& member : members_) {
        if (member.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &member;
        }
    }
    return nullptr;
}

const Member* MemberTable::find(DispatchId id) const {
    for (const Member& member : members_) {
        if (member.id == id) {
            return &member;
        }
    }
    return nullptr;
}

} // namespace vsq::controls
