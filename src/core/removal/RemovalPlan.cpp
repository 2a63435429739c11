#include "core/removal/RemovalPlan.h"

#include "core/platform/FolderPaths.h"

#include <algorithm>
#include <new>

namespace hollowsweep {

namespace {

// The starting folders in the order given, each once, and without those that
// another one holds unless nested ones stand alone.
std::vector<std::string> PlanFolders(std::span<const std::string> folders, NestedFolders nested) {
    std::vector<std::string> stored;
    for (const auto& folder : folders) {
        if (std::string path = RemovalPlan::NormalPath(folder); !path.empty()) {
            stored.push_back(std::move(path));
        }
    }
    const bool standAlone = nested == NestedFolders::StandAlone;
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const bool held = std::any_of(stored.begin(), stored.end(), [&](const std::string& other) {
            if (&other == &stored[i]) {
                return false;
            }
            if (other == stored[i]) {
                return &other < &stored[i];
            }
            return !standAlone && IsAtOrBelow(stored[i], other);
        });
        if (!held) {
            kept.push_back(stored[i]);
        }
    }
    return kept;
}

// Calls visit(name) for each name of a relative path, skipping empty ones.
template <class Visit> void ForEachName(std::string_view path, Visit&& visit) {
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find_first_of(PathSeparators, start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            visit(path.substr(start, end - start), end);
        }
        start = end + 1;
    }
}

} // namespace

RemovalPlan::RemovalPlan(std::span<const std::string> startingFolders, NestedFolders nested) {
    for (auto& path : PlanFolders(startingFolders, nested)) {
        startingFolders_.push_back({std::move(path), PlanNode::None});
        StartingFolder& start = startingFolders_.back();
        start.Node = AddNode(names_.Store(start.Path), PlanNode::None);
    }
    for (const auto& start : startingFolders_) {
        nested_ = nested_ ||
                  std::any_of(startingFolders_.begin(), startingFolders_.end(),
                              [&start](const StartingFolder& other) {
                                  return &other != &start && IsAtOrBelow(start.Path, other.Path);
                              });
    }
}

// The starting folder a path belongs to: the innermost one that holds it.
const RemovalPlan::StartingFolder* RemovalPlan::StartHolding(const std::string& path) const {
    const StartingFolder* holder = nullptr;
    for (const auto& start : startingFolders_) {
        if (IsAtOrBelow(path, start.Path) &&
            (holder == nullptr || start.Path.size() > holder->Path.size())) {
            holder = &start;
        }
    }
    return holder;
}

PlanIndex RemovalPlan::AddNode(const char* name, PlanIndex parent) {
    if (nodes_.size() >= PlanNode::None) {
        throw std::bad_alloc();
    }
    const auto index = static_cast<PlanIndex>(nodes_.size());
    const std::uint32_t depth = parent == PlanNode::None ? 0 : nodes_[parent].Depth + 1;
    nodes_.push_back({name,
                      parent,
                      PlanNode::None,
                      PlanNode::None,
                      PlanNode::None,
                      0,
                      depth,
                      PlanNode::NoTag,
                      {}});
    if (parent != PlanNode::None) {
        PlanNode& folder = nodes_[parent];
        if (folder.LastChild == PlanNode::None) {
            folder.FirstChild = index;
        } else {
            nodes_[folder.LastChild].NextSibling = index;
        }
        folder.LastChild = index;
        ++folder.ChildCount;
        if (childrenIndexed_) {
            children_.emplace(ChildKey{parent, name}, index);
        }
    }
    return index;
}

// Leaves on the cursor only the nodes that the path passes through.
bool RemovalPlan::MoveCursorTo(const std::string& path) {
    const bool moved = cursor_.empty() || !IsAtOrBelow(path, nodes_[cursor_.front().Node].Name) ||
                       (nested_ && StartHolding(path)->Node != cursor_.front().Node);
    if (moved) {
        const StartingFolder* start = StartHolding(path);
        if (start == nullptr) {
            return false;
        }
        cursor_.assign({{start->Node, start->Path.size()}});
        lastPath_ = start->Path;
        // Its folders came before, split from these by another starting
        // folder's: names are looked up, so no folder gets a second node.
        lookUp_ = nodes_[start->Node].ChildCount > 0;
    }
    const std::size_t shared = static_cast<std::size_t>(
        std::mismatch(path.begin(), path.end(), lastPath_.begin(), lastPath_.end()).first -
        path.begin());
    while (cursor_.size() > 1) {
        const std::size_t end = cursor_.back().End;
        if (end <= shared && (end == path.size() || path[end] == PathSeparator)) {
            break;
        }
        cursor_.pop_back();
    }
    return true;
}

bool RemovalPlan::Add(std::string_view path, FolderIdentity identity, std::size_t tag) {
    const std::string stored = NormalPath(path);
    if (!MoveCursorTo(stored)) {
        return false;
    }
    const std::string_view rest = std::string_view(stored).substr(cursor_.back().End);
    if (StepsThroughDots(rest)) {
        return false;
    }
    const std::size_t offset = cursor_.back().End;
    ForEachName(rest, [&](std::string_view name, std::size_t end) {
        const PlanIndex parent = cursor_.back().Node;
        PlanIndex child = lookUp_ ? ChildNamed(parent, name) : PlanNode::None;
        if (child == PlanNode::None) {
            child = AddNode(names_.Store(name), parent);
        }
        cursor_.push_back({child, offset + end});
    });
    lastPath_ = stored;
    PlanNode& node = nodes_[cursor_.back().Node];
    if (!node.IsTarget()) {
        node.Tag = tag;
        node.Identity = identity;
        ++targetCount_;
    }
    return true;
}

PlanIndex RemovalPlan::ChildNamed(PlanIndex parent, std::string_view name) {
    if (!childrenIndexed_) {
        for (std::size_t index = 0; index < nodes_.size(); ++index) {
            const PlanNode& node = nodes_[index];
            if (!node.IsStartingFolder()) {
                children_.emplace(ChildKey{node.Parent, node.Name}, static_cast<PlanIndex>(index));
            }
        }
        childrenIndexed_ = true;
    }
    const auto found = children_.find({parent, name});
    return found == children_.end() ? PlanNode::None : found->second;
}

std::string RemovalPlan::NormalPath(std::string_view path) {
    std::string normal;
    normal.reserve(path.size());
    // Written with the one separator paths are built with, once between names.
    for (char c : path) {
        if (PathSeparators.find(c) != std::string_view::npos) {
            c = PathSeparator;
        }
        if (c != PathSeparator || normal.empty() || normal.back() != PathSeparator) {
            normal += c;
        }
    }
    // "a/./b" is "a/b": a "." step names the folder it is in.
    const std::string dotStep{PathSeparator, '.', PathSeparator};
    for (std::size_t dot = normal.find(dotStep); dot != std::string::npos;
         dot = normal.find(dotStep)) {
        normal.erase(dot, 2);
    }
    if (normal.ends_with(dotStep.substr(0, 2)) && normal.size() > 2) {
        normal.resize(normal.size() - 2);
    }
    return StoredFolderPath(normal);
}

bool RemovalPlan::GroupedBefore(std::string_view a, std::string_view b) noexcept {
    const auto key = [](char c) {
        return c == PathSeparator ? 0 : static_cast<unsigned char>(c) + 1;
    };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&key](char x, char y) { return key(x) < key(y); });
}

std::string_view PlanPaths::PathOf(const RemovalPlan& plan, PlanIndex index) {
    // Climb until a node of the last path; only the names below it are new.
    added_.clear();
    PlanIndex at = index;
    for (;;) {
        const PlanNode& node = plan.Node(at);
        if (node.Depth < nodes_.size() && nodes_[node.Depth] == at) {
            break;
        }
        added_.push_back(at);
        if (node.IsStartingFolder()) {
            at = PlanNode::None;
            break;
        }
        at = node.Parent;
    }
    const std::size_t kept = at == PlanNode::None ? 0 : plan.Node(at).Depth + 1;
    nodes_.resize(kept);
    ends_.resize(kept);
    path_.resize(kept == 0 ? 0 : ends_.back());
    for (auto node = added_.rbegin(); node != added_.rend(); ++node) {
        const PlanNode& folder = plan.Node(*node);
        if (!folder.IsStartingFolder() && path_.back() != PathSeparator) {
            path_ += PathSeparator;
        }
        path_ += folder.Name;
        nodes_.push_back(*node);
        ends_.push_back(path_.size());
    }
    return path_;
}

} // namespace hollowsweep
