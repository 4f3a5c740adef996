#include "textform.h"

#include "appsettings.h"
#include "formfields.h"
#include "numtext.h"
#include "ownedbits.h"
#include "textlimits.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace
{

constexpr char InactiveText[] = "Inactive";

using Path = std::vector<std::string>;

// The first count keys of a path as one map key; the separator never occurs in a key.
std::string Id(const Path &path, std::size_t count)
{
    std::string id;
    for (std::size_t i = 0; i < count && i < path.size(); ++i)
        id += (i ? "\x1f" : "") + path[i];
    return id;
}

std::string Id(const Path &path)
{
    return Id(path, path.size());
}

std::string Quoted(const std::string &text)
{
    return "\"" + Excerpt(text) + "\"";
}

// Which key paths name a field and which a map of further keys.
struct Schema {
    std::unordered_set<std::string> fields;
    std::unordered_set<std::string> sections;
};

const Schema &TextSchema()
{
    static const Schema schema = [] {
        Schema s;
        for (const FormField &f : FormFields()) {
            s.fields.insert(Id(f.path));
            for (std::size_t n = 1; n < f.path.size(); ++n)
                s.sections.insert(Id(f.path, n));
        }
        return s;
    }();
    return schema;
}

// A key found in the text.
struct Entry {
    int line = 0;
    std::string text; // a field's value
    bool bad = false; // reported already: its field or section is not looked at again
};

// Collects every key of the text by its path, reporting those that do not belong.
class KeyIndex
{
public:
    explicit KeyIndex(std::vector<TextFormError> &errors) : m_errors(errors) {}

    void collect(const YAML::Node &map, const Path &path)
    {
        std::map<std::string, int> seen; // yaml-cpp keeps doubled keys without a word
        for (auto it = map.begin(); it != map.end(); ++it) {
            // Copies: the iterator hands out a temporary pair.
            const YAML::Node key = it->first;
            const YAML::Node value = it->second;
            const int line = key.Mark().line + 1;
            Path keyPath = path;
            keyPath.push_back(key.IsScalar() ? key.Scalar() : std::string("?"));
            Path shownPath = path;
            shownPath.push_back(Excerpt(keyPath.back()));
            const std::string name = FormFieldName(shownPath);
            const auto [first, fresh] = seen.emplace(keyPath.back(), line);
            if (!fresh) {
                report(line, name,
                       "appears twice (first on line " + std::to_string(first->second) + ")");
                continue;
            }
            const std::string id = Id(keyPath);
            if (TextSchema().fields.count(id)) {
                Entry &e = m_entries[id];
                e.line = line;
                if (value.IsScalar())
                    e.text = value.Scalar();
                else if (!value.IsNull()) // nothing after the colon reads as an empty text
                    e.bad = report(line, name, "should be one quoted text");
            } else if (TextSchema().sections.count(id)) {
                Entry &e = m_entries[id];
                e.line = line;
                if (value.IsMap())
                    collect(value, keyPath);
                else
                    e.bad = report(line, name, "should hold the keys below it");
            } else {
                report(line, name, "unknown key");
            }
        }
    }

    // The entry of field i, or none after reporting the first missing key of its path once.
    const Entry *find(const std::vector<FormField> &fields, std::size_t i, int rootLine)
    {
        const Path &path = fields[i].path;
        int parentLine = rootLine;
        for (std::size_t n = 1; n <= path.size(); ++n) {
            const std::string id = Id(path, n);
            const auto it = m_entries.find(id);
            if (it == m_entries.end()) {
                if (m_missing.insert(id).second)
                    report(nextSiblingLine(fields, i, n, parentLine),
                           FormFieldName(Path(path.begin(), path.begin() + n)), "missing");
                return nullptr;
            }
            if (it->second.bad)
                return nullptr;
            parentLine = it->second.line;
        }
        return &m_entries[Id(path)];
    }

    bool report(int line, const std::string &field, const std::string &what)
    {
        m_errors.push_back({line, field, what});
        return true;
    }

private:
    // Where a missing key belongs: the line of the next key beside it, else its map's line.
    int nextSiblingLine(const std::vector<FormField> &fields, std::size_t i, std::size_t n,
                        int parentLine) const
    {
        const std::string parent = Id(fields[i].path, n - 1);
        const std::string missing = Id(fields[i].path, n);
        for (std::size_t j = i + 1; j < fields.size(); ++j) {
            if (fields[j].path.size() < n || Id(fields[j].path, n - 1) != parent)
                break;
            const auto it = m_entries.find(Id(fields[j].path, n));
            if (Id(fields[j].path, n) != missing && it != m_entries.end())
                return it->second.line;
        }
        return parentLine;
    }

    std::vector<TextFormError> &m_errors;
    std::unordered_map<std::string, Entry> m_entries;
    std::set<std::string> m_missing;
};

// Top-level sections are set apart by a blank line.
std::string SpacedSections(const std::string &yaml)
{
    std::string out;
    std::size_t at = 0;
    while (at < yaml.size()) {
        const std::size_t end = std::min(yaml.find('\n', at), yaml.size());
        if (at > 0 && yaml[at] != ' ')
            out += '\n';
        out += yaml.substr(at, end - at) + '\n';
        at = end + 1;
    }
    return out;
}

} // namespace

std::string WriteTextForm(const MemMapImage &mm)
{
    YAML::Emitter out;
    out << YAML::BeginMap;
    Path open; // the keys of the maps begun and not yet ended
    for (const FormField &f : FormFields()) {
        std::size_t shared = 0;
        while (shared < open.size() && shared + 1 < f.path.size() && open[shared] == f.path[shared])
            ++shared;
        for (; open.size() > shared; open.pop_back())
            out << YAML::EndMap;
        for (std::size_t i = shared; i + 1 < f.path.size(); ++i) {
            out << YAML::Key << f.path[i] << YAML::Value << YAML::BeginMap;
            open.push_back(f.path[i]);
        }
        // Quoted always: "Yes", "0.0" or "000000" would otherwise read back as other types.
        out << YAML::Key << f.path.back() << YAML::Value << YAML::DoubleQuoted << f.shown(mm);
    }
    for (; !open.empty(); open.pop_back())
        out << YAML::EndMap;
    out << YAML::EndMap;
    return "# " + ProgramTitle + " configuration: every value as the editor shows it.\n" +
           SpacedSections(out.c_str());
}

bool ReadTextForm(const std::string &text, MemMapImage &image, std::vector<TextFormError> &errors,
                  std::vector<TextFormError> *notes)
{
    errors.clear();
    YAML::Node root;
    try {
        const std::vector<YAML::Node> documents = YAML::LoadAll(text);
        // A second document would otherwise be dropped without a word.
        if (documents.size() > 1) {
            errors.push_back({std::max(documents[1].Mark().line, 0) + 1, "",
                              "the text holds more than one document"});
            return false;
        }
        if (!documents.empty())
            root = documents[0];
    } catch (const YAML::Exception &e) {
        errors.push_back({e.mark.line + 1, "", e.msg});
        return false;
    }
    if (!root.IsMap()) {
        errors.push_back({root.IsDefined() && !root.IsNull() ? root.Mark().line + 1 : 1, "",
                          "the text is not a map of the editor's panes and groups"});
        return false;
    }

    KeyIndex keys(errors);
    keys.collect(root, {});
    // What each field shows once stored: a later value must not change it.
    const std::vector<FormField> &fields = FormFields();
    std::vector<const Entry *> found(fields.size(), nullptr);
    std::vector<std::string> expected(fields.size());
    MemMapImage work = image;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FormField &f = fields[i];
        found[i] = keys.find(fields, i, root.Mark().line + 1);
        if (!found[i])
            continue;
        const std::string &value = found[i]->text;
        // Several stored values may show alike: an unchanged text keeps the bytes it has.
        if (value != f.shown(work)) {
            const std::string why = f.store(work, value);
            if (!why.empty()) {
                keys.report(found[i]->line, FormFieldName(f.path), why);
                found[i] = nullptr;
                continue;
            }
        }
        expected[i] = f.shown(work);
        // The window takes any text it cannot read as a frequency as "Inactive"; so does the
        // import, but a channel switched off by a typo must not go unseen.
        if (notes && expected[i] == InactiveText && UpperCase(TrimBlanks(value)) != "INACTIVE")
            notes->push_back(
                {found[i]->line, FormFieldName(f.path), Quoted(value) + " taken as \"Inactive\""});
    }
    // The text stands for the owned bits only; an encoder that rewrites a whole byte leaves
    // the rest of it as it was.
    for (int page = 0; page < MemMapPages; ++page)
        for (int offset = 0; offset < PageSize; ++offset) {
            const int mask = OwnedMask(page, offset);
            work.set(page, offset,
                     (work.get(page, offset) & mask) | (image.get(page, offset) & ~mask));
        }
    if (errors.empty()) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string now = fields[i].shown(work);
            if (found[i] && now != expected[i])
                keys.report(found[i]->line, FormFieldName(fields[i].path),
                            Quoted(found[i]->text) +
                                " does not hold with the values after it, which make it " +
                                Quoted(now));
        }
    }
    if (!errors.empty()) {
        std::stable_sort(
            errors.begin(), errors.end(),
            [](const TextFormError &a, const TextFormError &b) { return a.line < b.line; });
        return false;
    }
    image = work;
    if (notes)
        std::stable_sort(
            notes->begin(), notes->end(),
            [](const TextFormError &a, const TextFormError &b) { return a.line < b.line; });
    return true;
}

std::string TextFormErrorLine(const std::string &file, const TextFormError &e)
{
    return file + ":" + std::to_string(e.line) + ": " + (e.field.empty() ? "" : e.field + ": ") +
           e.what;
}
