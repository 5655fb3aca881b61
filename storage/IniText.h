// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace zorvikta {

// The text of an INI file as its user keeps it. Lookups follow the private-profile rules: section
// and key names match without regard to case and without the blanks around them, a value is taken
// exactly as it stands between the blanks, and of duplicate keys the first in the file counts.
// A change rewrites only the value of the line that the lookup finds, so every other byte stays.
class IniText {
public:
    explicit IniText(QByteArray text = {});

    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;

    // Replaces the value of the key's line; a missing key goes after the last key (or the header)
    // of its section's first block, a missing section to the end of the text. `value` must not hold
    // a line break; blanks around it do not survive a lookup.
    void setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);

    const QByteArray& text() const { return m_text; }

private:
    QByteArray m_text;
};

} // namespace zorvikta
