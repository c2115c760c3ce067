#include "model/playconfig.h"

#include <algorithm>
#include <cstdint>

// A frame keeps the first line of each kind in its standard items, where every reader of the
// plain file layout finds it, and everything else in ActionPaths.

namespace kinetra {

namespace {

bool onSurface(LinePoint start, LinePoint end)
{
    // Rounding halves to even takes 0.5 to 0, so only an x beyond it is on the surface.
    return start.x > 0.5f && end.x > 0.5f;
}

} // namespace

std::vector<ActionPath>::iterator PlayConfig::pathOf(LineId id)
{
    const auto it = std::lower_bound(ActionPaths.begin(), ActionPaths.end(), id,
                                     [](const ActionPath &p, LineId i) { return p.id < i; });
    return it != ActionPaths.end() && it->id == id ? it : ActionPaths.end();
}

std::vector<ActionPath>::const_iterator PlayConfig::pathOf(LineId id) const
{
    return const_cast<PlayConfig *>(this)->pathOf(id);
}

std::vector<ActionPath>::iterator PlayConfig::insertionPoint(LineId id)
{
    return std::upper_bound(ActionPaths.begin(), ActionPaths.end(), id,
                            [](LineId i, const ActionPath &p) { return i < p.id; });
}

std::optional<ActionLine> PlayConfig::actionLine(LineId id) const
{
    if (id.kind < 0 || id.kind >= kActionCount || id.slot < 0)
        return std::nullopt;
    const auto path = pathOf(id);
    ActionLine line;
    line.id = id;
    if (id.slot == 0) {
        const size_t k = size_t(id.kind);
        line.start = {ActionSX[k], ActionSY[k]};
        line.end = {ActionEX[k], ActionEY[k]};
    } else if (path != ActionPaths.end()) {
        line.start = path->start;
        line.end = path->end;
    } else {
        return std::nullopt;
    }
    if (!onSurface(line.start, line.end))
        return std::nullopt;
    if (path != ActionPaths.end())
        line.bends = path->bends;
    return line;
}

std::vector<ActionLine> PlayConfig::actionLines() const
{
    std::vector<ActionLine> lines;
    auto path = ActionPaths.begin();
    for (int16_t k = 0; k < kActionCount; ++k) {
        if (auto first = actionLine({k, 0}))
            lines.push_back(std::move(*first));
        for (; path != ActionPaths.end() && path->id.kind <= k; ++path) {
            if (path->id.kind == k && path->id.slot > 0 && onSurface(path->start, path->end))
                lines.push_back({path->id, path->start, path->end, path->bends});
        }
    }
    return lines;
}

int PlayConfig::actionLineCount(int kind) const
{
    int count = hasActionLine(kind) ? 1 : 0;
    for (const ActionPath &path : ActionPaths)
        count += path.id.kind == kind && path.id.slot > 0 && onSurface(path.start, path.end);
    return count;
}

int PlayConfig::actionLineCount() const
{
    int count = 0;
    for (int k = 0; k < kActionCount; ++k)
        count += hasActionLine(k);
    for (const ActionPath &path : ActionPaths)
        count += path.id.slot > 0 && onSurface(path.start, path.end);
    return count;
}

std::optional<LineId> PlayConfig::addActionLine(int kind, LinePoint start, LinePoint end,
                                                std::vector<LinePoint> bends)
{
    if (kind < 0 || kind >= kActionCount || int(bends.size()) > kMaxBends
        || actionLineCount() >= kMaxLinesInFrame)
        return std::nullopt;
    const size_t k = size_t(kind);
    if (!hasActionLine(kind) && actionLineCount(kind) == 0) {
        // The kind's first line goes where every reader finds it. Lines of the kind that are
        // not on the surface are dropped so they cannot come back.
        clearActionKind(kind);
        ActionSX[k] = start.x;
        ActionSY[k] = start.y;
        ActionEX[k] = end.x;
        ActionEY[k] = end.y;
        const LineId id{int16_t(kind), 0};
        if (!bends.empty())
            ActionPaths.insert(insertionPoint(id), ActionPath{id, {}, {}, std::move(bends)});
        return id;
    }
    // After the last slot of the kind.
    const auto next = insertionPoint({int16_t(kind), INT16_MAX});
    int16_t slot = 1;
    if (next != ActionPaths.begin() && std::prev(next)->id.kind == kind)
        slot = int16_t(std::prev(next)->id.slot + 1);
    const LineId id{int16_t(kind), slot};
    ActionPaths.insert(next, ActionPath{id, start, end, std::move(bends)});
    return id;
}

bool PlayConfig::setActionLine(const ActionLine &line)
{
    if (!actionLine(line.id) || int(line.bends.size()) > kMaxBends
        || !onSurface(line.start, line.end))
        return false;
    const auto path = pathOf(line.id);
    if (line.id.slot == 0) {
        const size_t k = size_t(line.id.kind);
        ActionSX[k] = line.start.x;
        ActionSY[k] = line.start.y;
        ActionEX[k] = line.end.x;
        ActionEY[k] = line.end.y;
        if (line.bends.empty()) {
            if (path != ActionPaths.end())
                ActionPaths.erase(path);
        } else if (path != ActionPaths.end()) {
            path->bends = line.bends;
        } else {
            ActionPaths.insert(insertionPoint(line.id), ActionPath{line.id, {}, {}, line.bends});
        }
        return true;
    }
    path->start = line.start;
    path->end = line.end;
    path->bends = line.bends;
    return true;
}

bool PlayConfig::removeActionLine(LineId id)
{
    if (!actionLine(id))
        return false;
    const size_t k = size_t(id.kind);
    if (id.slot == 0) {
        if (const auto first = pathOf(id); first != ActionPaths.end())
            ActionPaths.erase(first);
        const auto second = pathOf({id.kind, 1});
        if (second == ActionPaths.end()) {
            ActionSX[k] = ActionSY[k] = ActionEX[k] = ActionEY[k] = 0;
            return true;
        }
        // The second line becomes the first: its points go into the standard items.
        ActionSX[k] = second->start.x;
        ActionSY[k] = second->start.y;
        ActionEX[k] = second->end.x;
        ActionEY[k] = second->end.y;
        second->start = second->end = {};
        if (second->bends.empty())
            ActionPaths.erase(second);
    } else {
        ActionPaths.erase(pathOf(id));
    }
    for (ActionPath &path : ActionPaths) {
        if (path.id.kind == id.kind && path.id.slot > id.slot)
            --path.id.slot;
    }
    // A second line that was not on the surface cannot be the first one.
    settleFirstLine(id.kind);
    return true;
}

void PlayConfig::settleFirstLine(int kind)
{
    if (hasActionLine(kind))
        return;
    // The kind's lines that are not on the surface go, the first one's bends with it.
    std::erase_if(ActionPaths, [kind](const ActionPath &p) {
        return p.id.kind == kind && (p.id.slot == 0 || !onSurface(p.start, p.end));
    });
    auto path = std::find_if(ActionPaths.begin(), ActionPaths.end(),
                             [kind](const ActionPath &p) { return p.id.kind == kind; });
    if (path == ActionPaths.end())
        return;
    const size_t k = size_t(kind);
    ActionSX[k] = path->start.x;
    ActionSY[k] = path->start.y;
    ActionEX[k] = path->end.x;
    ActionEY[k] = path->end.y;
    path->start = path->end = {};
    for (int16_t slot = 0; path != ActionPaths.end() && path->id.kind == kind; ++path, ++slot)
        path->id.slot = slot;
    const auto first = pathOf({int16_t(kind), 0});
    if (first->bends.empty())
        ActionPaths.erase(first);
}

void PlayConfig::clearActionKind(int kind)
{
    if (kind < 0 || kind >= kActionCount)
        return;
    const size_t k = size_t(kind);
    ActionSX[k] = ActionSY[k] = ActionEX[k] = ActionEY[k] = 0;
    std::erase_if(ActionPaths, [kind](const ActionPath &p) { return p.id.kind == kind; });
}

} // namespace kinetra
