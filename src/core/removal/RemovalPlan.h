#pragma once

#include "core/platform/FolderIdentity.h"
#include "core/platform/NameArena.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace hollowsweep {

using PlanIndex = std::uint32_t;

// One folder of a removal plan: a folder to remove (a target), or a folder on
// the way from a starting folder to targets.
struct PlanNode {
    static constexpr PlanIndex None = UINT32_MAX;
    static constexpr std::size_t NoTag = SIZE_MAX;

    // The name in its parent; a starting folder's node holds its whole path.
    const char* Name;
    PlanIndex Parent;
    PlanIndex FirstChild;
    PlanIndex NextSibling;
    PlanIndex LastChild;
    std::uint32_t ChildCount;
    // 0 for a starting folder.
    std::uint32_t Depth;
    // The caller's mark of a target, handed back with its outcome.
    std::size_t Tag;
    // Which folder the scan found there, if known; the removal fills in the
    // identity of every folder it opens whose identity was not known.
    FolderIdentity Identity{};

    bool IsTarget() const noexcept { return Tag != NoTag; }
    bool IsStartingFolder() const noexcept { return Parent == None; }
};

// What becomes of a starting folder that lies inside another one.
enum class NestedFolders {
    // It is reached through the other one, as one of its folders.
    JoinOuter,
    // It stays a starting folder of its own, and holds the folders below it:
    // for rules that keep a removal out of some folders, so that it is
    // judged from itself, as a scan walked it.
    StandAlone,
};

// The folders to remove, as a tree of names below the starting folders, so
// that the removal reaches each folder from its parent's handle and never
// looks a path up again.
class RemovalPlan {
public:
    struct StartingFolder {
        std::string Path;
        PlanIndex Node;
    };

    // The starting folders as the user named them. Whether one lies inside
    // another goes by their spelling.
    explicit RemovalPlan(std::span<const std::string> startingFolders,
                         NestedFolders nested = NestedFolders::JoinOuter);

    // Adds a target. Paths must come grouped: a folder's path and the paths
    // below it come together, as in a scan's order or in GroupedBefore's.
    // A path met again is ignored. Returns false, adding nothing, for a path
    // that lies below no starting folder or steps through "." or "..".
    bool Add(std::string_view path, FolderIdentity identity, std::size_t tag);

    // The order in which paths sort grouped: like bytes, with the separator
    // before every other character. Sort paths in the form NormalPath gives.
    static bool GroupedBefore(std::string_view a, std::string_view b) noexcept;
    // The path as the plan spells it: no repeated or trailing separators, no
    // "." steps.
    static std::string NormalPath(std::string_view path);

    const std::vector<StartingFolder>& StartingFolders() const noexcept { return startingFolders_; }
    std::size_t Size() const noexcept { return nodes_.size(); }
    std::size_t TargetCount() const noexcept { return targetCount_; }
    const PlanNode& Node(PlanIndex index) const { return nodes_[index]; }
    PlanNode& Node(PlanIndex index) { return nodes_[index]; }

    // Calls visit(index) for every node at and below top, each after the
    // nodes below it, siblings in the order they were added.
    template <class Visit> void ForEachChildrenFirst(PlanIndex top, Visit&& visit) const;
    // The same for every target of the plan.
    template <class Visit> void ForEachTargetChildrenFirst(Visit&& visit) const;

private:
    struct CursorLevel {
        PlanIndex Node;
        std::size_t End;
    };

    PlanIndex AddNode(const char* name, PlanIndex parent);
    const StartingFolder* StartHolding(const std::string& path) const;
    PlanIndex ChildNamed(PlanIndex parent, std::string_view name);
    bool MoveCursorTo(const std::string& path);

    std::deque<PlanNode> nodes_;
    std::vector<StartingFolder> startingFolders_;
    NameArena names_;
    std::size_t targetCount_ = 0;
    // The nodes of the last path added, and where each one's name ends in it,
    // so that the next path only adds what it does not share.
    std::string lastPath_;
    std::vector<CursorLevel> cursor_;
    bool lookUp_ = false;
    // Every node by its parent and name, made once names must be looked up,
    // so that a long list costs no search through a wide folder's children.
    struct ChildKey {
        PlanIndex Parent;
        std::string_view Name;
        bool operator==(const ChildKey&) const = default;
    };
    struct ChildKeyHash {
        std::size_t operator()(const ChildKey& key) const noexcept {
            return std::hash<std::string_view>()(key.Name) ^
                   (std::size_t{key.Parent} * 0x9E3779B97F4A7C15ULL);
        }
    };
    std::unordered_map<ChildKey, PlanIndex, ChildKeyHash> children_;
    bool childrenIndexed_ = false;
    bool nested_ = false;
};

// Builds the full paths of plan nodes. It keeps the last path, so that the
// paths of nodes near one another cost only their differences: a deep chain's
// paths cost their total length, not the square of its depth.
class PlanPaths {
public:
    std::string_view PathOf(const RemovalPlan& plan, PlanIndex index);

private:
    std::vector<PlanIndex> nodes_;
    std::vector<std::size_t> ends_;
    std::string path_;
    std::vector<PlanIndex> added_;
};

template <class Visit> void RemovalPlan::ForEachChildrenFirst(PlanIndex top, Visit&& visit) const {
    const auto deepestFirst = [this](PlanIndex index) {
        while (nodes_[index].FirstChild != PlanNode::None) {
            index = nodes_[index].FirstChild;
        }
        return index;
    };
    for (PlanIndex index = deepestFirst(top);;) {
        visit(index);
        if (index == top) {
            return;
        }
        const PlanIndex sibling = nodes_[index].NextSibling;
        index = sibling != PlanNode::None ? deepestFirst(sibling) : nodes_[index].Parent;
    }
}

template <class Visit> void RemovalPlan::ForEachTargetChildrenFirst(Visit&& visit) const {
    for (const auto& start : startingFolders_) {
        ForEachChildrenFirst(start.Node, [&](PlanIndex index) {
            if (nodes_[index].IsTarget()) {
                visit(index);
            }
        });
    }
}

} // namespace hollowsweep
