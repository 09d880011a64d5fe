#pragma once
// The property bags of the controls on one host window, kept in a text file
// that the window carries. One section a control, in the host's order, one
// line an entry (duplicate keys stay as written):
//
//   [DecValueTXT]
//   NumberBase<TAB>Byte<TAB>2
//   Text<TAB>String<TAB>0
//
// Types: Empty, Boolean (True/False), Byte, Integer, Long, Single, Double
// (exact round trip), String, Font (Qt's font description), Picture (PNG in
// base 64). Backslash, tab, carriage return and line feed in names and texts
// are escaped (\\ \t \r \n). Saving replaces the file whole, every write
// checked: a failed save leaves the file as it was. A file that cannot be
// parsed is reported with its line number and nothing of it is taken.

#include "controls/common/property_bag.h"

#include <QString>

#include <deque>
#include <optional>
#include <utility>

namespace vsq::controls {

class PropertyBagFile {
public:
    using Section = std::pair<QString, PropertyBag>;

    // The bag of a control by its name on the host (exact); null when absent.
    const PropertyBag* find(const QString& controlName) const;
    // The bag of a control, added at the end when absent.
    PropertyBag& bag(const QString& controlName);
    const std::deque<Section>& sections() const { return sections_; }

    QString toText() const;
    static std::optional<PropertyBagFile> fromText(const QString& text, QString& error);

    static std::optional<PropertyBagFile> load(const QString& path, QString& error);
    bool save(const QString& path, QString& error) const;

    bool operator==(const PropertyBagFile&) const = default;

private:
    std::deque<Section> sections_;
};

} // namespace vsq::controls
