#include "model/recoveryinfo.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

namespace kinetra {

namespace {

constexpr std::string_view kFormatLine = "Kinetra recovery copy 1";

// The marker AtomicFile gives its temporary files.
constexpr std::string_view kTemporaryMarker = ".tmp~";

std::string escaped(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::string unescaped(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

template<typename T>
bool readNumber(std::string_view text, T &value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool endsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The base name of a copy's file, empty for a file that belongs to no copy.
std::string baseName(std::string_view name)
{
    for (const std::string_view suffix : {kRecoveryPlaySuffix, kRecoveryInfoSuffix})
        if (endsWith(name, suffix) && name.size() > suffix.size())
            return std::string(name.substr(0, name.size() - suffix.size()));
    return std::string();
}

bool isTemporary(std::string_view name)
{
    return name.find(kTemporaryMarker) != std::string_view::npos;
}

} // namespace

std::string formatRecoveryInfo(const RecoveryInfo &info)
{
    std::string text(kFormatLine);
    text += '\n';
    const auto line = [&text](std::string_view key, std::string_view value) {
        text.append(key).append("=").append(escaped(value)).append("\n");
    };
    line("path", info.playPath);
    line("title", info.title);
    line("frame", std::to_string(info.currentFrame));
    line("changed", std::to_string(info.changedAt));
    if (info.discardedAt != 0)
        line("discarded", std::to_string(info.discardedAt));
    if (info.fileSize >= 0)
        line("filesize", std::to_string(info.fileSize));
    if (info.fileModifiedAt >= 0)
        line("filetime", std::to_string(info.fileModifiedAt));
    return text;
}

std::optional<RecoveryInfo> parseRecoveryInfo(std::string_view text)
{
    RecoveryInfo info;
    bool first = true;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (first) {
            if (line != kFormatLine)
                return std::nullopt;
            first = false;
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        bool ok = true;
        if (key == "path")
            info.playPath = unescaped(value);
        else if (key == "title")
            info.title = unescaped(value);
        else if (key == "frame")
            ok = readNumber(value, info.currentFrame) && info.currentFrame >= 1;
        else if (key == "changed")
            ok = readNumber(value, info.changedAt) && info.changedAt >= 0;
        else if (key == "discarded")
            ok = readNumber(value, info.discardedAt) && info.discardedAt >= 0;
        // The file's state only warns about outside changes: a value that cannot be read
        // leaves it untold instead of hiding the copy.
        else if (key == "filesize" && !(readNumber(value, info.fileSize) && info.fileSize >= 0))
            info.fileSize = -1;
        else if (key == "filetime"
                 && !(readNumber(value, info.fileModifiedAt) && info.fileModifiedAt >= 0))
            info.fileModifiedAt = -1;
        if (!ok)
            return std::nullopt;
    }
    if (first)
        return std::nullopt;
    return info;
}

std::vector<std::string> copiesToOffer(const std::vector<RecoveryFolderEntry> &entries)
{
    struct Copy
    {
        bool hasPlay = false;
        const RecoveryInfo *info = nullptr;
    };
    std::map<std::string, Copy> copies;
    for (const RecoveryFolderEntry &entry : entries) {
        const std::string base = baseName(entry.name);
        if (base.empty() || isTemporary(entry.name))
            continue;
        if (endsWith(entry.name, kRecoveryPlaySuffix))
            copies[base].hasPlay = true;
        else if (entry.info)
            copies[base].info = &*entry.info;
    }
    std::vector<std::pair<int64_t, std::string>> whole;
    for (const auto &[base, copy] : copies)
        if (copy.hasPlay && copy.info)
            whole.emplace_back(copy.info->changedAt, base);
    // The latest change first; equal times in name order, so the order never depends on the
    // order the folder was listed in.
    std::sort(whole.begin(), whole.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::string> bases;
    for (auto &[changed, base] : whole)
        bases.push_back(std::move(base));
    return bases;
}

std::vector<std::string> filesToRemove(const std::vector<RecoveryFolderEntry> &entries,
                                       int64_t now, bool discardedFolder)
{
    std::vector<std::string> remove;
    // When each declined copy was declined: its description's word, else its newest file (a
    // move into the folder keeps a file's time, so the word counts first when there is one).
    struct Declined
    {
        int64_t said = 0;
        int64_t newestFile = 0;
    };
    std::map<std::string, Declined> declined;
    // The copies that have a description, readable or not: the others were cut off between
    // writing the play and its description, and would never be offered.
    std::set<std::string> described;
    for (const RecoveryFolderEntry &entry : entries)
        if (endsWith(entry.name, kRecoveryInfoSuffix) && !isTemporary(entry.name))
            described.insert(baseName(entry.name));
    for (const RecoveryFolderEntry &entry : entries) {
        if (isTemporary(entry.name)) {
            remove.push_back(entry.name);
            continue;
        }
        const std::string base = baseName(entry.name);
        if (base.empty())
            continue;
        if (!discardedFolder) {
            if (endsWith(entry.name, kRecoveryPlaySuffix) && !described.contains(base))
                remove.push_back(entry.name);
            continue;
        }
        Declined &d = declined[base];
        d.newestFile = std::max(d.newestFile, entry.modifiedAt);
        if (entry.info)
            d.said = entry.info->discardedAt;
    }
    for (const RecoveryFolderEntry &entry : entries) {
        const auto it = declined.find(baseName(entry.name));
        if (it == declined.end() || isTemporary(entry.name))
            continue;
        const int64_t at = it->second.said != 0 ? it->second.said : it->second.newestFile;
        if (now - at >= kDiscardedKeepSeconds)
            remove.push_back(entry.name);
    }
    return remove;
}

} // namespace kinetra
