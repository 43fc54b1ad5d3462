#include "platform/profile.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace pf {
namespace {

std::unique_ptr<Profile>& appSlot() {
    static std::unique_ptr<Profile> profile;
    return profile;
}

// Splits "A/B\C" into its non-empty components; both separators are accepted because
// registry paths written with backslashes survive in callers and data.
std::vector<std::string> splitSection(const std::string& section) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : section) {
        if (c == '/' || c == '\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

// Finds the stored spelling of `name` among `names`, ignoring case; empty when absent.
QString matchName(const QStringList& names, const std::string& name) {
    for (const QString& candidate : names) {
        if (iequals(fromQt(candidate), name))
            return candidate;
    }
    return {};
}

std::vector<std::string> sortedNames(const QStringList& names) {
    std::vector<std::string> out;
    out.reserve(std::size_t(names.size()));
    for (const QString& n : names)
        out.push_back(fromQt(n));
    // Alphabetical ignoring case, so "al" and "AZ" list as a person reads them; the stable
    // sort keeps the store's own order for names that differ only in case.
    std::stable_sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) {
        return lower(a) < lower(b);
    });
    return out;
}

std::string textOf(const QVariant& value) {
    // An unquoted value with commas, written by hand, reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return fromQt(value.toStringList().join(QLatin1String(", ")));
    return fromQt(value.toString());
}

} // namespace

Profile::Profile(const std::string& iniPath)
    : m_settings(std::make_unique<QSettings>(toQt(iniPath), QSettings::IniFormat)) {}

Profile::~Profile() {
    if (m_settings)
        m_settings->sync();
}

Profile& Profile::app() {
    std::unique_ptr<Profile>& slot = appSlot();
    if (!slot)
        slot = std::make_unique<Profile>(settingsPath());
    return *slot;
}

void Profile::reset() {
    appSlot().reset();
}

// The stored spelling of a section path; components not stored yet keep the caller's
// spelling. Never leaves a group open.
std::string Profile::storedGroup(const std::string& section) const {
    std::string stored;
    bool exists = true;
    for (const std::string& part : splitSection(section)) {
        QString match;
        if (exists) {
            m_settings->beginGroup(toQt(stored));
            match = matchName(m_settings->childGroups(), part);
            m_settings->endGroup();
        }
        if (match.isEmpty())
            exists = false;
        if (!stored.empty())
            stored += '/';
        stored += exists ? fromQt(match) : part;
    }
    return stored;
}

std::string Profile::storedKey(const std::string& section, const std::string& entry) const {
    const std::string group = storedGroup(section);
    m_settings->beginGroup(toQt(group));
    const QString match = matchName(m_settings->childKeys(), entry);
    m_settings->endGroup();
    const std::string name = match.isEmpty() ? entry : fromQt(match);
    return group.empty() ? name : group + '/' + name;
}

bool Profile::has(const std::string& section, const std::string& entry) const {
    if (entry.empty())
        return false;
    return m_settings->contains(toQt(storedKey(section, entry)));
}

int Profile::getInt(const std::string& section, const std::string& entry, int def) const {
    if (!has(section, entry))
        return def;
    const std::string text = textOf(m_settings->value(toQt(storedKey(section, entry))));
    // Leading digits count, as the classic integer lookup reads them; no digits = default.
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t')
        ++begin;
    char* end = nullptr;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin)
        return def;
    return int(v);
}

std::string Profile::getString(const std::string& section, const std::string& entry,
                               const std::string& def) const {
    if (!has(section, entry))
        return def;
    return textOf(m_settings->value(toQt(storedKey(section, entry))));
}

bool Profile::writeInt(const std::string& section, const std::string& entry, int value) {
    return writeString(section, entry, std::to_string(value));
}

bool Profile::writeString(const std::string& section, const std::string& entry,
                          const std::string& value) {
    if (entry.empty())
        return false;
    m_settings->setValue(toQt(storedKey(section, entry)), toQt(value));
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::vector<std::string> Profile::entries(const std::string& section) const {
    if (!splitSection(section).empty() && !hasSection(section))
        return {};
    m_settings->beginGroup(toQt(storedGroup(section)));
    const QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    return sortedNames(keys);
}

std::vector<std::string> Profile::sections(const std::string& section) const {
    if (!splitSection(section).empty() && !hasSection(section))
        return {};
    m_settings->beginGroup(toQt(storedGroup(section)));
    const QStringList groups = m_settings->childGroups();
    m_settings->endGroup();
    return sortedNames(groups);
}

bool Profile::hasSection(const std::string& section) const {
    const std::vector<std::string> parts = splitSection(section);
    if (parts.empty())
        return true;
    // storedGroup keeps the caller's spelling past the first missing component, so look the
    // last component up among its parent's groups.
    std::string parent;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        parent += (i ? "/" : "") + parts[i];
    const std::string storedParent = storedGroup(parent);
    if (!parent.empty() && !hasSection(parent))
        return false;
    m_settings->beginGroup(toQt(storedParent));
    const bool found = !matchName(m_settings->childGroups(), parts.back()).isEmpty();
    m_settings->endGroup();
    return found;
}

bool Profile::deleteEntry(const std::string& section, const std::string& entry) {
    if (!has(section, entry))
        return true;
    m_settings->remove(toQt(storedKey(section, entry)));
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

bool Profile::deleteSection(const std::string& section) {
    if (splitSection(section).empty() || !hasSection(section))
        return true;
    m_settings->remove(toQt(storedGroup(section)));
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

void Profile::sync() {
    m_settings->sync();
}

} // namespace pf
