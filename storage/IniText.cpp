// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniText.h"

namespace zorvikta {

namespace {

constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Byte offsets into the text: [begin, end) is the line's content, [end, next) its line ending.
struct Line {
    qsizetype begin;
    qsizetype end;
    qsizetype next;
};

// Only "\n" and "\r\n" end a line; a lone carriage return is part of it.
Line lineAt(const QByteArray& text, qsizetype begin)
{
    const qsizetype newline = text.indexOf('\n', begin);
    if (newline < 0)
        return {begin, text.size(), text.size()};
    const qsizetype end = newline > begin && text.at(newline - 1) == '\r' ? newline - 1 : newline;
    return {begin, end, newline + 1};
}

// The span without its leading and trailing blanks, as offsets into the text.
std::pair<qsizetype, qsizetype> trimmed(const QByteArray& text, qsizetype begin, qsizetype end)
{
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return {begin, end};
}

bool sameName(const QByteArray& text, std::pair<qsizetype, qsizetype> span, QByteArrayView name)
{
    return QByteArrayView(text)
               .sliced(span.first, span.second - span.first)
               .compare(name, Qt::CaseInsensitive) == 0;
}

// What a lookup needs of the text: where the key's value stands, or where a new key goes.
struct Place {
    std::optional<std::pair<qsizetype, qsizetype>> value;
    std::optional<Line> sectionLast; // the header or last key line of the section's first block
};

Place locate(const QByteArray& text, QByteArrayView section, QByteArrayView key)
{
    Place place;
    bool inSection = false;
    bool inFirstBlock = false;
    for (qsizetype at = 0; at < text.size();) {
        const Line line = lineAt(text, at);
        at = line.next;
        qsizetype begin = line.begin;
        if (begin == 0 && QByteArrayView(text).startsWith(kByteOrderMark))
            begin = kByteOrderMark.size();
        const auto [first, last] = trimmed(text, begin, line.end);
        if (first == last)
            continue;
        const QByteArrayView content = QByteArrayView(text).sliced(first, last - first);
        const qsizetype close = content.indexOf(']');
        // A header without its closing bracket is no header: the lines after it stay in the
        // section they were in.
        if (content.front() == '[' && close >= 0) {
            inSection = sameName(text, trimmed(text, first + 1, first + close), section);
            inFirstBlock = inSection && !place.sectionLast;
            if (inFirstBlock)
                place.sectionLast = line;
            continue;
        }
        const qsizetype equals = content.indexOf('=');
        if (!inSection || equals < 0)
            continue;
        if (inFirstBlock)
            place.sectionLast = line;
        if (!sameName(text, trimmed(text, first, first + equals), key))
            continue;
        place.value = trimmed(text, first + equals + 1, last);
        return place;
    }
    return place;
}

// New lines take the ending of the line they follow, else the text's first, else a plain one.
QByteArray lineEnding(const QByteArray& text, std::optional<Line> after)
{
    if (after && after->next > after->end)
        return text.sliced(after->end, after->next - after->end);
    const Line first = lineAt(text, 0);
    return first.next > first.end ? text.sliced(first.end, first.next - first.end)
                                  : QByteArray("\n");
}

} // namespace

IniText::IniText(QByteArray text) : m_text(std::move(text)) {}

std::optional<QByteArray> IniText::value(QByteArrayView section, QByteArrayView key) const
{
    const Place place = locate(m_text, section, key);
    if (!place.value)
        return std::nullopt;
    return m_text.sliced(place.value->first, place.value->second - place.value->first);
}

void IniText::setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const Place place = locate(m_text, section, key);
    if (place.value) {
        m_text.replace(place.value->first, place.value->second - place.value->first, value);
        return;
    }
    const QByteArray ending = lineEnding(m_text, place.sectionLast);
    const QByteArray entry = key.toByteArray() + '=' + value.toByteArray() + ending;
    if (place.sectionLast) {
        const Line after = *place.sectionLast;
        if (after.next > after.end)
            m_text.insert(after.next, entry);
        else
            m_text.insert(after.end, ending + entry);
        return;
    }
    if (!m_text.isEmpty() && !m_text.endsWith('\n'))
        m_text.append(ending);
    m_text.append('[' + section.toByteArray() + ']' + ending + entry);
}

} // namespace zorvikta
